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

// The pixel at (x, y) as {r, g, b}.
std::vector<int> PixelOf(const RgbImage& image, int x, int y);

// One-component (greyscale) and four-component (CMYK) JPEG files of a flat picture,
// written with libjpeg directly.
std::string GreyJpeg(int width, int height);
std::string CmykJpeg(int width, int height);

// `jpeg` with an Exif APP1 segment holding the orientation tag inserted after SOI.
std::string WithExifOrientation(const std::string& jpeg, int orientation);

struct JpegSegment {
  int marker;        // the byte after 0xFF
  std::string body;  // the segment without marker and length
};

// The marker segments from SOI up to and including SOS (whose body is its header).
std::vector<JpegSegment> JpegHeaderSegments(const std::string& jpeg);

}  // namespace montrelle::testing
