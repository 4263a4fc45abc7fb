// Writes one test picture for the browser test: four coloured quarters, so a turned
// picture shows its turn. Usage: write_test_picture FILE WIDTH HEIGHT [EXIF] (a
// bitmap when the name says .bmp, a picture a library reads by its extension, a
// HEIC stored turned a quarter with its container turning it back, a JPEG
// otherwise, carrying the Exif orientation EXIF when it is not 0).
#include <cstdio>
#include <exception>
#include <string>

#include "imagelist/picture_kind.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/library_test_pictures.h"
#include "imaging/test_pictures.h"
#include "platform/text_file.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fputs("usage: write_test_picture FILE WIDTH HEIGHT [EXIF]\n", stderr);
    return 2;
  }
  try {
    using namespace montrelle;
    const RgbImage picture = testing::QuadrantPicture(std::stoi(argv[2]), std::stoi(argv[3]));
    const PictureKinds kinds = KindsOf(argv[1]);
    if (kinds.library) {
      const std::string name = argv[1];
      const bool png = kinds.library == LibraryFormat::kPng;
      const bool webp = kinds.library == LibraryFormat::kWebp;
      const bool avif = name.ends_with(".avif") || name.ends_with(".AVIF");
      testing::WriteLibraryPicture(name, picture,
                                   {.kind = png    ? testing::LibraryKind::kPng
                                            : webp ? testing::LibraryKind::kWebp
                                            : avif ? testing::LibraryKind::kAvif
                                                   : testing::LibraryKind::kHeic,
                                    .quarter_turn = !png && !webp});
    } else {
      const int exif = argc == 5 ? std::stoi(argv[4]) : 0;
      const std::string jpeg = EncodeJpeg(picture);
      WriteFileReplacing(argv[1], kinds.bitmap ? EncodeBitmap(picture)
                                  : exif       ? testing::WithExifOrientation(jpeg, exif)
                                               : jpeg);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_test_picture: %s\n", e.what());
    return 1;
  }
  return 0;
}
