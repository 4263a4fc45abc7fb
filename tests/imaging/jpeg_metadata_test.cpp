#include "imaging/jpeg_metadata.h"

#include <gtest/gtest.h>

#include <string>

#include "imaging/jpeg_codec.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::MarkerSegment;

TEST(JpegWithoutMetadata, KeepsThePictureAndHowToShowItAndNothingElse) {
  // The program's own JPEG: SOI, APP0 JFIF (18 bytes), then the tables and the scan.
  const std::string plain = EncodeJpeg(testing::NoisyPicture(64, 48));
  const std::string head = plain.substr(0, 20), body = plain.substr(20);
  const std::string icc = MarkerSegment(0xE2, std::string("ICC_PROFILE\0\x01\x01", 14) + "profile");
  const std::string adobe = MarkerSegment(0xEE, std::string("Adobe\0\x64\x80\0\0\0\0\x01", 13));
  const std::string exif = MarkerSegment(
      0xE1, std::string("Exif\0\0MM\0\x2A\0\0\0\x08", 14) + "GPS 35.6586 N 139.7454 E");
  const std::string xmp =
      MarkerSegment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29) + "<x/>");
  const std::string mpf = MarkerSegment(0xE2, std::string("MPF\0", 4) + "index");
  const std::string jfxx = MarkerSegment(0xE0, std::string("JFXX\0\x10", 6) + "thumb");
  const std::string comment = MarkerSegment(0xFE, "taken at home");
  const std::string gain_map = plain;  // a second picture after the end
  // The end of the first table segment, which starts the body.
  const size_t table_end =
      2 + (size_t{static_cast<unsigned char>(body[2])} << 8 | static_cast<unsigned char>(body[3]));
  const struct {
    const char* name;
    std::string in, out;
  } cases[] = {
      {"the program's own file", plain, plain},
      {"a phone's photo", head + exif + xmp + icc + mpf + comment + jfxx + body + gain_map,
       head + icc + body},
      {"Adobe colours and a comment between the tables",
       head + adobe + body.substr(0, table_end) + comment + body.substr(table_end),
       head + adobe + body},
      {"fill bytes before a marker", head + "\xFF\xFF" + body, head + body},
      {"cut short within the scan", plain.substr(0, plain.size() - 40),
       plain.substr(0, plain.size() - 40)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JpegWithoutMetadata(c.in), c.out) << c.name;
  }
  for (const std::string& damaged :
       {std::string("GIF89a"), head + exif.substr(0, 10), head + "\x12" + body}) {
    testing::ExpectAppError([&] { JpegWithoutMetadata(damaged); }, "JPEG 画像が不正です");
  }
}

}  // namespace
}  // namespace montrelle
