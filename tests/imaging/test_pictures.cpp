#include "imaging/test_pictures.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>

#include "imagelist/picture_kind.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"

namespace montrelle::testing {
namespace {

// Compresses `height` rows of width * components bytes that `fill` writes, with a
// sampling layout at quality 92 or with the given coding.
std::string Compress(int width, int height, int components, J_COLOR_SPACE space,
                     const std::function<void(int y, std::uint8_t* row)>& fill,
                     const JpegLayout* layout = nullptr, const JpegCoding& coding = {}) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  if (layout != nullptr) {
    jpeg_set_quality(&info, 92, TRUE);
    info.comp_info[0].h_samp_factor = layout->h_samp;
    info.comp_info[0].v_samp_factor = layout->v_samp;
    if (layout->progressive) jpeg_simple_progression(&info);
  }
  if (coding.progressive) jpeg_simple_progression(&info);
  info.arith_code = coding.arithmetic ? TRUE : FALSE;
  if (coding.full_chroma) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
  info.restart_in_rows = static_cast<int>(coding.restart_rows);
  static const jpeg_scan_info kScanPerComponent[3] = {
      {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
  if (coding.scan_per_component) {
    info.scan_info = kScanPerComponent;
    info.num_scans = info.num_components;
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width * components));
  while (info.next_scanline < info.image_height) {
    fill(static_cast<int>(info.next_scanline), row.data());
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::string Flat(int width, int height, int components, J_COLOR_SPACE space) {
  return Compress(width, height, components, space,
                  [&](int, std::uint8_t* row) { std::fill_n(row, width * components, 90); });
}

}  // namespace

RgbImage CoordinatePicture(int width, int height) {
  RgbImage p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      p.pixels.insert(p.pixels.end(),
                      {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200});
    }
  }
  return p;
}

RgbImage QuadrantPicture(int width, int height) {
  static constexpr std::uint8_t kColours[4][3] = {
      {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  RgbImage p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto& c = kColours[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
      p.pixels.insert(p.pixels.end(), {c[0], c[1], c[2]});
    }
  }
  return p;
}

RgbImage PlainPicture(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  RgbImage p{width, height, {}};
  for (int i = 0; i < width * height; ++i) p.pixels.insert(p.pixels.end(), {r, g, b});
  return p;
}

std::string JpegPicture(int width, int height) {
  return EncodeJpeg(CoordinatePicture(width, height));
}

std::string BitmapPicture(int width, int height) {
  return EncodeBitmap(CoordinatePicture(width, height));
}

std::string PictureBytes(const std::string& path, int width, int height) {
  return KindsOf(path).bitmap ? BitmapPicture(width, height) : JpegPicture(width, height);
}

std::vector<std::string> AllOrientationTriples() {
  std::vector<std::string> triples;
  for (const char* rl : {"0", "1"}) {
    for (const char* ud : {"0", "1"}) {
      for (const char* rotation : {"0", "1", "2", "3"}) {
        triples.push_back(std::string(rl) + "\t" + ud + "\t" + rotation);
      }
    }
  }
  return triples;
}

std::vector<int> PixelOf(const RgbImage& image, int x, int y) {
  const std::uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 3;
  return {p[0], p[1], p[2]};
}

std::string CodedJpeg(const RgbImage& picture, const JpegCoding& coding) {
  const size_t row_bytes = static_cast<size_t>(picture.width) * 3;
  return Compress(
      picture.width, picture.height, 3, JCS_RGB,
      [&](int y, std::uint8_t* row) {
        std::copy_n(picture.pixels.data() + row_bytes * y, row_bytes, row);
      },
      nullptr, coding);
}

const JpegLayout kJpegLayouts[12] = {
    {"4:2:0", 3, 2, 2, false},
    {"4:2:2", 3, 2, 1, false},
    {"4:4:0", 3, 1, 2, false},
    {"4:4:4", 3, 1, 1, false},
    {"4:1:1", 3, 4, 1, false},
    {"grey", 1, 1, 1, false},
    {"progressive 4:2:0", 3, 2, 2, true},
    {"progressive 4:2:2", 3, 2, 1, true},
    {"progressive grey", 1, 1, 1, true},
    {"luma 1x4", 3, 1, 4, false},
    {"luma 3x2", 3, 3, 2, false},
    {"grey 2x2", 1, 2, 2, false},
};

RgbImage NoisyPicture(int width, int height, unsigned seed) {
  std::mt19937 noise(seed);
  RgbImage p{width, height, {}};
  p.pixels.reserve(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // A diagonal gradient, a hard edge every 16 columns, and noise on top.
      const int base = (x * 3 + y * 5) % 160 + ((x / 16) % 2) * 60;
      for (int c = 0; c < 3; ++c) {
        p.pixels.push_back(static_cast<std::uint8_t>(base + c * 10 + noise() % 30));
      }
    }
  }
  return p;
}

std::string NoisyJpeg(int width, int height, const JpegLayout& layout, unsigned seed) {
  const RgbImage picture = NoisyPicture(width, height, seed);
  const bool grey = layout.components == 1;
  return Compress(
      width, height, layout.components, grey ? JCS_GRAYSCALE : JCS_RGB,
      [&](int y, std::uint8_t* row) {
        const std::uint8_t* from = picture.pixels.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width * layout.components; ++x) row[x] = from[grey ? x * 3 : x];
      },
      &layout);
}

std::string GreyJpeg(int width, int height) {
  return Flat(width, height, 1, JCS_GRAYSCALE);
}

std::string CmykJpeg(int width, int height) {
  return Flat(width, height, 4, JCS_CMYK);
}

std::string ExifSegment(int orientation, bool big_endian) {
  // A number in the TIFF block's byte order.
  const auto number = [big_endian](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
      const int shift = 8 * (big_endian ? bytes - 1 - i : i);
      out += static_cast<char>(value >> shift & 0xFF);
    }
    return out;
  };
  // The header, one IFD with the single tag 0x0112 (SHORT, one value), no next IFD.
  const std::string tiff = (big_endian ? "MM" : "II") + number(42, 2) + number(8, 4) +
                           number(1, 2) + number(0x0112, 2) + number(3, 2) + number(1, 4) +
                           number(static_cast<std::uint32_t>(orientation), 2) + number(0, 2) +
                           number(0, 4);
  const std::string body = std::string("Exif\0\0", 6) + tiff;
  const size_t length = body.size() + 2;
  std::string segment = "\xFF\xE1";
  segment += static_cast<char>(length >> 8);
  segment += static_cast<char>(length & 0xFF);
  return segment + body;
}

std::string MarkerSegment(int marker, const std::string& body) {
  const size_t length = body.size() + 2;
  return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                     static_cast<char>(length & 0xFF)} +
         body;
}

std::string WithExifOrientation(const std::string& jpeg, int orientation, bool big_endian) {
  return jpeg.substr(0, 2) + ExifSegment(orientation, big_endian) + jpeg.substr(2);
}

RgbImage StoredWithTag(const RgbImage& upright, int tag) {
  const int w = upright.width, h = upright.height;
  // The upright pixel shown at stored (x, y), for each tag's row 0 / column 0:
  const std::function<std::array<int, 2>(int, int)> source[] = {
      [](int x, int y) {
        return std::array{x, y};
      },  // 1 top / left
      [w](int x, int y) {
        return std::array{w - 1 - x, y};
      },  // 2 top / right
      [w, h](int x, int y) {
        return std::array{w - 1 - x, h - 1 - y};
      },  // 3 bottom / right
      [h](int x, int y) {
        return std::array{x, h - 1 - y};
      },  // 4 bottom / left
      [](int x, int y) {
        return std::array{y, x};
      },  // 5 left / top
      [w](int x, int y) {
        return std::array{w - 1 - y, x};
      },  // 6 right / top
      [w, h](int x, int y) {
        return std::array{w - 1 - y, h - 1 - x};
      },  // 7 right / bottom
      [h](int x, int y) {
        return std::array{y, h - 1 - x};
      },  // 8 left / bottom
  };
  RgbImage stored = tag >= 5 ? MakeRgbImage(h, w) : MakeRgbImage(w, h);
  for (int y = 0; y < stored.height; ++y) {
    for (int x = 0; x < stored.width; ++x) {
      const auto [ux, uy] = source[tag - 1](x, y);
      std::copy_n(&upright.pixels[(static_cast<size_t>(uy) * w + ux) * 3], 3,
                  &stored.pixels[(static_cast<size_t>(y) * stored.width + x) * 3]);
    }
  }
  return stored;
}

int LargestDifference(const RgbImage& a, const RgbImage& b) {
  if (a.width != b.width || a.height != b.height) return 256;
  int largest = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    largest = std::max(largest, std::abs(a.pixels[i] - b.pixels[i]));
  }
  return largest;
}

std::vector<JpegSegment> JpegHeaderSegments(const std::string& jpeg) {
  std::vector<JpegSegment> segments;
  size_t at = 2;  // after SOI
  while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
    const int marker = static_cast<unsigned char>(jpeg[at + 1]);
    const size_t length =
        static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]);
    segments.push_back({marker, jpeg.substr(at + 4, length - 2)});
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return segments;
}

}  // namespace montrelle::testing
