// Writes one test picture for the browser test: four coloured quarters, so a turned
// picture shows its turn. Usage: write_test_picture FILE WIDTH HEIGHT (a bitmap when
// the name says .bmp, a JPEG otherwise).
#include <cstdio>
#include <exception>
#include <string>

#include "imagelist/picture_kind.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/test_pictures.h"
#include "platform/text_file.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: write_test_picture FILE WIDTH HEIGHT\n", stderr);
    return 2;
  }
  try {
    using namespace montrelle;
    const RgbImage picture = testing::QuadrantPicture(std::stoi(argv[2]), std::stoi(argv[3]));
    WriteFileReplacing(argv[1],
                       KindsOf(argv[1]).bitmap ? EncodeBitmap(picture) : EncodeJpeg(picture));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_test_picture: %s\n", e.what());
    return 1;
  }
  return 0;
}
