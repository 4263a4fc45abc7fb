#include "imaging/picture_files.h"
#include "imaging/picture_header.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <functional>
#include <thread>

#include "imaging/bitmap_variants.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"
#include "imaging/scaling.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::CoordinatePicture;
using testing::ExpectAppError;
using testing::TempDir;
using testing::WriteBytes;

TEST(ScalePictureFiles, HeightFollowsTheProportionsForBothKinds) {
  TempDir dir;
  const struct {
    int width, height, target;
    const char* orientation;
    int out_width, out_height;
  } cases[] = {
      {640, 480, 550, "0\t0\t0", 550, 412}, {640, 480, 550, "0\t0\t1", 550, 733},
      {640, 480, 550, "1\t1\t2", 550, 733}, {640, 480, 550, "0\t0\t3", 550, 412},
      {39, 7, 156, "0\t0\t0", 156, 27},     {40, 30, 80, "0\t0\t0", 80, 60},
      {30, 40, 80, "0\t0\t2", 80, 60},      {1000, 10, 80, "0\t0\t0", 80, 0},
      {4, 3, 0, "0\t0\t0", 0, 0},
  };
  for (const auto& c : cases) {
    const RgbImage source = c.width > 256 ? testing::PlainPicture(c.width, c.height, 9, 99, 199)
                                          : CoordinatePicture(c.width, c.height);
    WriteBytes(dir / "p.jpg", EncodeJpeg(source));
    WriteBytes(dir / "p.bmp", EncodeBitmap(source));
    const std::string what = std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                             std::to_string(c.target) + " " + c.orientation;

    const std::string jpeg = ScaleJpegFile(dir / "p.jpg", c.target, c.orientation);
    if (c.out_height == 0) {
      EXPECT_EQ(jpeg, "") << what;
    } else {
      EXPECT_EQ(JpegSizeOf(jpeg), (ImageSize{c.out_width, c.out_height})) << what;
    }
    const RgbImage bitmap = ScaleBitmapFile(dir / "p.bmp", c.target, c.orientation);
    EXPECT_EQ(bitmap.width, c.out_width) << what;
    EXPECT_EQ(bitmap.height, c.out_height) << what;
    EXPECT_EQ(bitmap.pixels.size(), size_t(c.out_width) * c.out_height * 3) << what;
  }
}

TEST(ScaleBitmapFile, EveryTripleAtTheOrientedWidthIsTheOrientedPicture) {
  TempDir dir;
  // 4 x 2: both proportions (1/2 and 2) are exact, so the height is never cut.
  const RgbImage source = CoordinatePicture(4, 2);
  WriteBytes(dir / "p.bmp", EncodeBitmap(source));
  for (const std::string& triple : testing::AllOrientationTriples()) {
    const RgbImage expected = ApplyOrientation(source, triple);
    EXPECT_EQ(ScaleBitmapFile(dir / "p.bmp", expected.width, triple), expected) << triple;
  }
  // Scaled as well: mirrored, flipped and turned, then doubled.
  const RgbImage doubled = ScaleBitmapFile(dir / "p.bmp", 4, "1\t1\t2");
  const RgbImage oriented = ApplyOrientation(source, "1\t1\t2");
  ASSERT_EQ(doubled.width, 4);
  ASSERT_EQ(doubled.height, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(testing::PixelOf(doubled, x, y), testing::PixelOf(oriented, x / 2, y / 2));
    }
  }
}

// The picture as first made: decoded whole, oriented whole, sampled, encoded.
std::string WholePicturePath(const std::string& jpeg, int width, const std::string& triple) {
  return EncodeJpeg(ScaleToWidth(ApplyOrientation(DecodeJpeg(jpeg), triple), width));
}

TEST(ScaleJpegFile, SameBytesAsDecodingOrientingAndSamplingTheWholePicture) {
  TempDir dir;
  const std::vector<std::string> triples = testing::AllOrientationTriples();
  for (const auto& layout : testing::kJpegLayouts) {
    for (const ImageSize size : {ImageSize{75, 41}, ImageSize{29, 190}}) {
      const std::string what = std::string(layout.name) + " " + std::to_string(size.width) + "x" +
                               std::to_string(size.height);
      const std::string jpeg = testing::NoisyJpeg(size.width, size.height, layout);
      WriteBytes(dir / "p.jpg", jpeg);
      for (const std::string& triple : triples) {
        const int oriented_width =
            ParseOrientation(triple).IsQuarterTurn() ? size.height : size.width;
        // Thumbnails, a main image, the own width, enlargements, one pixel.
        const std::vector<std::int32_t> widths = {
            7, oriented_width / 2, oriented_width - 1, oriented_width, 2 * oriented_width + 3, 1};
        const std::vector<MadePicture> made = ScaleJpegFileToWidths(dir / "p.jpg", widths, triple);
        ASSERT_EQ(made.size(), widths.size());
        for (size_t k = 0; k < widths.size(); ++k) {
          EXPECT_EQ(made[k].Bytes(), WholePicturePath(jpeg, widths[k], triple))
              << what << " " << triple << " at " << widths[k];
        }
        EXPECT_EQ(ScaleJpegFile(dir / "p.jpg", widths[0], triple), made[0].bytes) << what << triple;
      }
    }
  }
}

TEST(ScaleJpegFile, FileCutShortGivesTheWholePictureBytes) {
  TempDir dir;
  for (const auto& layout : testing::kJpegLayouts) {
    const std::string jpeg = testing::NoisyJpeg(90, 120, layout, 3);
    const std::string cut = jpeg.substr(0, jpeg.size() / 2);
    WriteBytes(dir / "cut.jpg", cut);
    for (const char* triple : {"0\t0\t0", "1\t0\t1", "0\t1\t2"}) {
      EXPECT_EQ(ScaleJpegFile(dir / "cut.jpg", 50, triple), WholePicturePath(cut, 50, triple))
          << layout.name << " " << triple;
    }
  }
}

TEST(ScaleJpegFileToWidths, EachWidthFailsOnItsOwnAndTheFileForAll) {
  TempDir dir;
  const std::string jpeg = testing::NoisyJpeg(40, 30, testing::kJpegLayouts[0]);
  WriteBytes(dir / "p.jpg", jpeg);
  const std::vector<std::int32_t> widths = {20, -3, 0, 1 << 22, 16};
  const std::vector<MadePicture> made = ScaleJpegFileToWidths(dir / "p.jpg", widths, "0\t0\t2");
  ASSERT_EQ(made.size(), widths.size());
  EXPECT_EQ(made[0].Bytes(), WholePicturePath(jpeg, 20, "0\t0\t2"));
  ExpectAppError([&] { made[1].Bytes(); }, "画像の幅 -3 は負の値です");
  EXPECT_EQ(made[2].Bytes(), "");
  ExpectAppError([&] { made[3].Bytes(); }, "画像が大きすぎます (幅 4194304、高さ 5592405)");
  EXPECT_EQ(made[4].Bytes(), WholePicturePath(jpeg, 16, "0\t0\t2"));

  // Wider than a JPEG file can hold: the encoder refuses that width alone.
  WriteBytes(dir / "wide.jpg", EncodeJpeg(testing::PlainPicture(400, 3, 1, 2, 3)));
  const std::vector<std::int32_t> wide_widths = {66000, 200};
  const std::vector<MadePicture> wide =
      ScaleJpegFileToWidths(dir / "wide.jpg", wide_widths, "0\t0\t0");
  ExpectAppError([&] { wide[0].Bytes(); }, "JPEG エラー #" + std::to_string(JERR_IMAGE_TOO_BIG));
  EXPECT_EQ(JpegSizeOf(wide[1].Bytes()), (ImageSize{200, 1}));

  // A damaged picture reports its own error before a wrong orientation, as a whole
  // decode would; a good one the orientation's.
  WriteBytes(dir / "cmyk.jpg", testing::CmykJpeg(8, 8));
  ExpectAppError([&] { ScaleJpegFileToWidths(dir / "cmyk.jpg", widths, "0\t0\tx"); },
                 "JPEG エラー #" + std::to_string(JERR_CONVERSION_NOTIMPL));
  ExpectAppError([&] { ScaleJpegFileToWidths(dir / "p.jpg", widths, "0\t0\tx"); },
                 "'x' は整数ではありません");
  ExpectAppError([&] { ScaleJpegFileToWidths(dir / "none.jpg", widths, "0\t0\t0"); },
                 "ファイル " + (dir / "none.jpg") + " は開けません");
}

TEST(ScaleBitmapFile, SamePixelsAsOrientingAndSamplingTheWholePicture) {
  TempDir dir;
  const RgbImage source = testing::NoisyPicture(23, 14);
  WriteBytes(dir / "p.bmp", EncodeBitmap(source));
  for (const std::string& triple : testing::AllOrientationTriples()) {
    for (const int width : {5, 14, 23, 61}) {
      EXPECT_EQ(ScaleBitmapFile(dir / "p.bmp", width, triple),
                ScaleToWidth(ApplyOrientation(source, triple), width))
          << triple << " at " << width;
    }
  }
}

TEST(ScaleJpegFile, ReadsNeitherExifNorGreyAsAnythingButPixels) {
  TempDir dir;
  const std::string plain = EncodeJpeg(CoordinatePicture(16, 8));
  WriteBytes(dir / "plain.jpg", plain);
  WriteBytes(dir / "exif.jpg", testing::WithExifOrientation(plain, 6));
  // The tag would turn the picture; the result is byte for byte the untagged one.
  EXPECT_EQ(ScaleJpegFile(dir / "exif.jpg", 16, "0\t0\t0"),
            ScaleJpegFile(dir / "plain.jpg", 16, "0\t0\t0"));
  EXPECT_EQ(JpegSizeOf(ScaleJpegFile(dir / "exif.jpg", 16, "0\t0\t0")), (ImageSize{16, 8}));

  WriteBytes(dir / "grey.jpg", testing::GreyJpeg(24, 12));
  const std::string grey = ScaleJpegFile(dir / "grey.jpg", 12, "0\t0\t0");
  for (const auto& segment : testing::JpegHeaderSegments(grey)) {
    if (segment.marker == 0xC0) {
      EXPECT_EQ(segment.body[5], 3) << "components";
    }
  }
  EXPECT_EQ(JpegSizeOf(grey), (ImageSize{12, 6}));
}

TEST(PictureFiles, ErrorsOfMissingEmptyAndDamagedFiles) {
  TempDir dir;
  WriteBytes(dir / "empty.jpg", "");
  WriteBytes(dir / "empty.bmp", "");
  WriteBytes(dir / "text.bmp", "hello");
  WriteBytes(dir / "good.jpg", EncodeJpeg(CoordinatePicture(4, 3)));
  WriteBytes(dir / "good.bmp", EncodeBitmap(CoordinatePicture(4, 3)));
  const std::string missing = dir / "none.jpg";
  const std::string open_error = "ファイル " + missing + " は開けません";
  const std::string folder_error = "ファイル " + dir.path() + " は開けません";
  const std::string empty_jpeg = "JPEG エラー #" + std::to_string(JERR_INPUT_EMPTY);
  const std::string bitmap_error = "ビットマップイメージが不正です";

  const struct {
    std::function<void()> call;
    std::string error;
  } cases[] = {
      {[&] { ScaleJpegFile(missing, 80, "0\t0\t0"); }, open_error},
      {[&] { ScaleBitmapFile(missing, 80, "0\t0\t0"); }, open_error},
      {[&] { ReadBitmapFile(missing); }, open_error},
      {[&] { ReadJpegSize(missing); }, open_error},
      {[&] { ReadBitmapSize(missing); }, open_error},
      {[&] { ScaleJpegFile(dir.path(), 80, "0\t0\t0"); }, folder_error},
      // The file is read before the orientation.
      {[&] { ScaleJpegFile(missing, 80, ""); }, open_error},
      {[&] { ScaleJpegFile(dir / "empty.jpg", 80, "0\t0\t0"); }, empty_jpeg},
      {[&] { ReadJpegSize(dir / "empty.jpg"); }, empty_jpeg},
      {[&] { ScaleJpegFile(dir / "good.bmp", 80, "0\t0\t0"); },
       "JPEG エラー #" + std::to_string(JERR_NO_SOI)},
      {[&] { ScaleBitmapFile(dir / "empty.bmp", 80, "0\t0\t0"); }, bitmap_error},
      {[&] { ScaleBitmapFile(dir / "text.bmp", 80, "0\t0\t0"); }, bitmap_error},
      {[&] { ScaleBitmapFile(dir / "good.jpg", 80, "0\t0\t0"); }, bitmap_error},
      {[&] { ReadBitmapSize(dir / "empty.bmp"); }, bitmap_error},
      {[&] { ScaleJpegFile(dir / "good.jpg", 80, ""); }, "'' は整数ではありません"},
      {[&] { ScaleBitmapFile(dir / "good.bmp", 80, "1\t1\t"); }, "'' は整数ではありません"},
      {[&] { ScaleBitmapFile(dir / "good.bmp", 80, "0\t0\t7"); },
       "'7' は画像の回転 (0～3) ではありません"},
      {[&] { ScaleJpegFile(dir / "good.jpg", -80, "0\t0\t0"); }, "画像の幅 -80 は負の値です"},
  };
  for (const auto& c : cases) ExpectAppError(c.call, c.error);
}

// `jpeg` with the picture size in its frame header replaced.
std::string WithStoredSize(std::string jpeg, int width, int height) {
  for (size_t at = 2; at + 9 < jpeg.size();) {
    const int marker = static_cast<unsigned char>(jpeg[at + 1]);
    if (marker == 0xC0 || marker == 0xC2) {
      jpeg[at + 5] = static_cast<char>(height >> 8);
      jpeg[at + 6] = static_cast<char>(height);
      jpeg[at + 7] = static_cast<char>(width >> 8);
      jpeg[at + 8] = static_cast<char>(width);
      return jpeg;
    }
    at += 2 + (static_cast<unsigned char>(jpeg[at + 2]) << 8 |
               static_cast<unsigned char>(jpeg[at + 3]));
  }
  ADD_FAILURE() << "no frame header";
  return jpeg;
}

// A BMP file with a 40-byte info header and a palette of black for this size, depth
// and compression, followed by `pixels`.
std::string HugeBitmap(std::int32_t width, std::int32_t height, std::uint32_t bits,
                       std::uint32_t compression, std::string_view pixels = "") {
  testing::BitmapFields fields;
  fields.width = width;
  fields.height = height;
  fields.bits = bits;
  fields.compression = compression;
  return testing::AssembleBitmap(fields, std::string(bits <= 8 ? 4u << bits : 0, '\0'), pixels);
}

// Small files that claim pictures beyond the pixel budget (2^29 pixels) fail with
// the picture's error before anything large is allocated, checked in a child
// process by the growth of its peak memory. A progressive JPEG within the pixel
// budget whose decoding would make libjpeg keep gigabytes of its own is refused too.
TEST(PictureFiles, HugePicturesAreRefusedBeforeAnyLargeAllocation) {
  TempDir dir;
  const std::string baseline = EncodeJpeg(CoordinatePicture(16, 16));
  const std::string progressive =
      testing::CodedJpeg(CoordinatePicture(16, 16), {.progressive = true, .full_chroma = true});
  const struct {
    const char* name;
    std::string bytes;
    std::string error;
  } cases[] = {
      {"b.jpg", WithStoredSize(baseline, 23171, 23171),
       "画像が大きすぎます (幅 23171、高さ 23171)"},
      {"c.jpg", WithStoredSize(progressive, 20000, 20000),
       "画像が大きすぎます (幅 20000、高さ 20000)"},
      {"d.bmp", HugeBitmap(40000, 20000, 8, 1, std::string_view("\0\1", 2)),
       "ビットマップイメージが不正です"},
      {"e.bmp", HugeBitmap(100000, 100000, 24, 0), "ビットマップイメージが不正です"},
      {"f.bmp", HugeBitmap(2, -300000000, 1, 0), "ビットマップイメージが不正です"},
  };
  for (const auto& c : cases) {
    const std::string path = dir / c.name;
    WriteBytes(path, c.bytes);
    const pid_t child = fork();
    if (child == 0) {
      rusage before{}, after{};
      getrusage(RUSAGE_SELF, &before);
      std::string error;
      try {
        if (std::string(c.name).ends_with(".jpg")) {
          ScaleJpegFile(path, 80, "0\t0\t0");
        } else {
          ScaleBitmapFile(path, 80, "0\t0\t0");
        }
      } catch (const AppError& e) {
        error = e.what();
      }
      getrusage(RUSAGE_SELF, &after);
      const long grown_kb = after.ru_maxrss - before.ru_maxrss;
      _exit(error != c.error ? 1 : grown_kb > 64 * 1024 ? 2 : 0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << c.name << ": 1 = other error, 2 = memory grew";
  }
}

TEST(PictureFiles, HeaderSizesAndStoredPictures) {
  TempDir dir;
  const RgbImage picture = CoordinatePicture(7, 3);
  WriteBytes(dir / "p.jpg", EncodeJpeg(picture));
  WriteBytes(dir / "p.bmp", EncodeBitmap(picture));
  EXPECT_EQ(ReadJpegSize(dir / "p.jpg"), (ImageSize{7, 3}));
  EXPECT_EQ(ReadBitmapSize(dir / "p.bmp"), (ImageSize{7, 3}));
  EXPECT_EQ(ReadBitmapFile(dir / "p.bmp"), picture);
}

TEST(PictureFiles, CallsOnSeveralThreadsGiveTheSameResults) {
  TempDir dir;
  WriteBytes(dir / "p.jpg", EncodeJpeg(CoordinatePicture(120, 90)));
  WriteBytes(dir / "p.bmp", EncodeBitmap(CoordinatePicture(90, 120)));
  const std::string jpeg = ScaleJpegFile(dir / "p.jpg", 70, "1\t0\t2");
  const RgbImage bitmap = ScaleBitmapFile(dir / "p.bmp", 70, "0\t1\t1");
  std::vector<int> differences(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 10; ++i) {
        if (ScaleJpegFile(dir / "p.jpg", 70, "1\t0\t2") != jpeg) ++differences[t];
        if (ScaleBitmapFile(dir / "p.bmp", 70, "0\t1\t1") != bitmap) ++differences[t];
        try {
          ScaleJpegFile(dir / "p.bmp", 70, "0\t0\t0");
          ++differences[t];
        } catch (const AppError&) {
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(differences, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace montrelle
