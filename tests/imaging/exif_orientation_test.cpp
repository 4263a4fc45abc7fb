#include "imaging/exif_orientation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "imaging/jpeg_codec.h"
#include "imaging/test_pictures.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ExifSegment;
using testing::WithExifOrientation;

const std::string kJpeg = EncodeJpeg(testing::CoordinatePicture(8, 4));

TEST(ExifOrientationTag, ReadsEachValueInBothByteOrders) {
  // The encoder writes a JFIF segment first; phones put the Exif block before or after it.
  const std::string after_jfif_start = kJpeg.substr(0, 20);
  ASSERT_EQ(after_jfif_start.substr(2, 2), "\xFF\xE0");
  for (const bool big_endian : {false, true}) {
    for (int tag = 1; tag <= 8; ++tag) {
      EXPECT_EQ(ExifOrientationTag(WithExifOrientation(kJpeg, tag, big_endian)), tag)
          << tag << (big_endian ? " MM" : " II");
      EXPECT_EQ(
          ExifOrientationTag(after_jfif_start + ExifSegment(tag, big_endian) + kJpeg.substr(20)),
          tag)
          << tag << " after JFIF";
    }
  }
}

// Replaces bytes of the tagged file (orientation 6, little-endian) at
// `at`, counted from the TIFF header.
std::string Damaged(int at, std::string_view bytes) {
  std::string file = WithExifOrientation(kJpeg, 6);
  const int tiff = 2 + 4 + 6;  // SOI, marker and length, "Exif\0\0"
  file.replace(static_cast<size_t>(tiff + at), bytes.size(), bytes);
  return file;
}

TEST(ExifOrientationTag, GivesZeroForAbsentOrDamagedBlocks) {
  const std::string tagged = WithExifOrientation(kJpeg, 6);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"no JPEG", "BM" + tagged.substr(2)},
      {"no Exif block", kJpeg},
      {"cut inside the segment header", tagged.substr(0, 5)},
      {"segment longer than the file", tagged.substr(0, 37)},
      {"segment length below 2", Damaged(-8, std::string("\x00\x01", 2))},
      {"other APP1 block", Damaged(-6, "http:/")},
      {"byte order unknown", Damaged(0, "IM")},
      {"no TIFF magic", Damaged(2, "+")},
      {"directory beyond the block", Damaged(4, "\xF0")},
      {"directory counts more entries than there are", Damaged(8, "\x09")},
      {"no orientation entry", Damaged(10, "\x13")},
      {"value of type LONG", Damaged(12, "\x04")},
      {"two values", Damaged(14, "\x02")},
      {"value 0", Damaged(18, std::string(1, '\0'))},
      {"value 9", Damaged(18, "\x09")},
      {"value 256 + 6", Damaged(19, "\x01")},
      {"after the scan", kJpeg.substr(0, kJpeg.size() - 2) + ExifSegment(6) + "\xFF\xD9"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExifOrientationTag(c.bytes), 0) << c.what;
  ASSERT_EQ(ExifOrientationTag(tagged), 6) << "the cases damage a block that reads";
}

TEST(UprightOrientation, TurnsEachStoredPictureUpright) {
  const RgbImage upright = testing::CoordinatePicture(5, 3);
  for (int tag = 1; tag <= 8; ++tag) {
    EXPECT_EQ(ApplyOrientation(testing::StoredWithTag(upright, tag), UprightOrientation(tag)),
              upright)
        << tag;
  }
  for (const int outside : {0, 9, -1}) {
    const Orientation none = UprightOrientation(outside);
    EXPECT_FALSE(none.mirror || none.flip || none.rotation != 0) << outside;
  }
}

TEST(StartingOrientation, TheTurnOfATaggedJpegWhenAsked) {
  testing::TempDir dir;
  testing::WriteBytes(dir / "phone.jpg", WithExifOrientation(kJpeg, 7, true));
  testing::WriteBytes(dir / "phone.bmp", WithExifOrientation(kJpeg, 7, true));
  EXPECT_EQ(StartingOrientation(dir / "phone.jpg", true), "1\t0\t2");
  EXPECT_EQ(StartingOrientation(dir / "phone.jpg", false), "0\t0\t0");
  EXPECT_EQ(StartingOrientation(dir / "phone.bmp", true), "0\t0\t0") << "no JPEG by its name";
  EXPECT_EQ(StartingOrientation(dir / "missing.jpg", true), "0\t0\t0");
  EXPECT_EQ(StartingOrientation(dir.path(), true), "0\t0\t0");
  ASSERT_EQ(mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
  EXPECT_EQ(StartingOrientation(dir / "pipe.jpg", true), "0\t0\t0") << "without waiting";
}

}  // namespace
}  // namespace montrelle
