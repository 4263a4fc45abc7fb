// Small pictures and JPEG files made by the tests themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/rgb_image.h"

namespace montrelle::testing {

// Every pixel different: red = x, green = y, blue = 200 (w, h <= 256).
RgbImage CoordinatePicture(int width, int height);

// Four colours, one per quarter (red top left, green top right, blue bottom left,
// white bottom right): any size, and every mirror, flip and turn tells.
RgbImage QuadrantPicture(int width, int height);

// A picture of one colour.
RgbImage PlainPicture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// The file bytes of CoordinatePicture(width, height): as JPEG (quality 90), as a
// 24-bit BMP, or as the kind the name `path` tells (a bitmap for ".bmp"/".BMP").
std::string JpegPicture(int width, int height);
std::string BitmapPicture(int width, int height);
std::string PictureBytes(const std::string& path, int width, int height);

// The sixteen orientation triples "0\t0\t0" to "1\t1\t3".
std::vector<std::string> AllOrientationTriples();

// The pixel at (x, y) as {r, g, b}.
std::vector<int> PixelOf(const RgbImage& image, int x, int y);

// How a test JPEG is stored: 1 (grey) or 3 components, the luminance sampling
// factors (chroma at 1 x 1), sequential or progressive.
struct JpegLayout {
  const char* name;
  int components;
  int h_samp, v_samp;
  bool progressive;
};

// The layouts the decoder meets: 4:2:0, 4:2:2, 4:4:0, 4:4:4, 4:1:1, grey,
// progressive 4:2:0, 4:2:2 and grey, and three that cameras do not write, with the
// colour at a quarter or a third of the height, and grey in blocks of 2 x 2 (an
// iMCU row of two rows of MCUs).
extern const JpegLayout kJpegLayouts[12];

// A picture with a gradient, edges and noise, so that neighbouring pixels differ
// and any difference in upsampling shows; `seed` varies the noise.
RgbImage NoisyPicture(int width, int height, unsigned seed = 1);

// NoisyPicture stored with `layout` at quality 92, written with libjpeg directly.
std::string NoisyJpeg(int width, int height, const JpegLayout& layout, unsigned seed = 1);

// One-component (greyscale) and four-component (CMYK) JPEG files of a flat picture,
// written with libjpeg directly.
std::string GreyJpeg(int width, int height);
std::string CmykJpeg(int width, int height);

// How a JPEG file is coded beyond libjpeg's defaults (baseline, 4:2:0, Huffman).
struct JpegCoding {
  bool progressive = false;
  bool arithmetic = false;
  bool full_chroma = false;  // 4:4:4 instead of 4:2:0
  unsigned restart_rows = 0;
  bool scan_per_component = false;  // sequential, one scan for each component
};

// `picture` as a JPEG file at libjpeg's default quality (75), coded as asked.
std::string CodedJpeg(const RgbImage& picture, const JpegCoding& coding);

// An Exif APP1 segment (marker and length included) whose first image directory
// holds the orientation tag alone, in the TIFF byte order asked for.
std::string ExifSegment(int orientation, bool big_endian = false);

// A marker segment: 0xFF, `marker`, the length and `body`.
std::string MarkerSegment(int marker, const std::string& body);

// `jpeg` with ExifSegment inserted after SOI.
std::string WithExifOrientation(const std::string& jpeg, int orientation, bool big_endian = false);

// `upright` as a camera stores it with Exif orientation `tag` (1..8), written from
// the tag's definition: where the stored picture's row 0 and column 0 lie in the
// upright view. Tags 5 to 8 swap width and height.
RgbImage StoredWithTag(const RgbImage& upright, int tag);

// The largest difference of one channel between two pictures of the same size
// (256 when the sizes differ): lossy files are compared within a bound.
int LargestDifference(const RgbImage& a, const RgbImage& b);

struct JpegSegment {
  int marker;        // the byte after 0xFF
  std::string body;  // the segment without marker and length
};

// The marker segments from SOI up to and including SOS (whose body is its header).
std::vector<JpegSegment> JpegHeaderSegments(const std::string& jpeg);

}  // namespace montrelle::testing
