#include "bench/photo_maker.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace montrelle::bench {
namespace {

// A well-mixed 32-bit hash, for noise that repeats nowhere.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  return h ^ (h >> 15);
}

// Value noise on a grid of `cell` pixels, smoothly interpolated: the fine texture of
// leaves, grass or fabric. Between -1 and 1.
class Texture {
 public:
  Texture(int cell, unsigned seed) : cell_(cell), seed_(seed) {}

  // The texture along row y.
  void Row(int y, std::vector<float>& out) const {
    const int cy = y / cell_;
    const float fy = Smooth(static_cast<float>(y % cell_) / static_cast<float>(cell_));
    for (size_t x = 0; x < out.size(); ++x) {
      const int cx = static_cast<int>(x) / cell_;
      const float fx =
          Smooth(static_cast<float>(static_cast<int>(x) % cell_) / static_cast<float>(cell_));
      const float top = Lerp(Node(cx, cy), Node(cx + 1, cy), fx);
      const float bottom = Lerp(Node(cx, cy + 1), Node(cx + 1, cy + 1), fx);
      out[x] = Lerp(top, bottom, fy);
    }
  }

 private:
  static float Smooth(float t) { return t * t * (3 - 2 * t); }
  static float Lerp(float a, float b, float t) { return a + (b - a) * t; }
  float Node(int cx, int cy) const {
    return static_cast<float>(
               Hash(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy), seed_) &
               0xFFFF) /
               32767.5f -
           1.0f;
  }

  int cell_;
  unsigned seed_;
};

std::uint8_t Clamp(float value) {
  return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void WritePhotoLikeJpeg(const std::string& path, int width, int height, unsigned seed) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot write " + path);

  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file.get());
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);  // YCbCr with the colour at half width and height: 4:2:0
  jpeg_set_quality(&info, 92, TRUE);
  jpeg_start_compress(&info, TRUE);

  const Texture coarse(64, seed);
  const Texture fine(6, seed + 1);
  std::vector<float> coarse_row(static_cast<size_t>(width));
  std::vector<float> fine_row(static_cast<size_t>(width));
  std::vector<std::uint8_t> row(static_cast<size_t>(width) * 3);
  const float phase = static_cast<float>(seed % 7);
  for (int y = 0; y < height; ++y) {
    coarse.Row(y, coarse_row);
    fine.Row(y, fine_row);
    // Sky above, ground below, with soft light across.
    const float v = static_cast<float>(y) / static_cast<float>(height);
    for (int x = 0; x < width; ++x) {
      const float u = static_cast<float>(x) / static_cast<float>(width);
      const float light = 40.0f * std::sin(3.0f * u + phase) * std::cos(2.0f * v);
      const float shape = 55.0f * coarse_row[static_cast<size_t>(x)];
      const float detail = (v > 0.4f ? 38.0f : 10.0f) * fine_row[static_cast<size_t>(x)];
      const std::uint32_t n =
          Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed);
      const float noise[3] = {static_cast<float>(n & 15) - 7.5f,
                              static_cast<float>(n >> 4 & 15) - 7.5f,
                              static_cast<float>(n >> 8 & 15) - 7.5f};
      const float base[3] = {v > 0.4f ? 110.0f : 150.0f - 60.0f * v,
                             v > 0.4f ? 120.0f : 180.0f - 40.0f * v,
                             v > 0.4f ? 70.0f : 230.0f - 20.0f * v};
      for (int c = 0; c < 3; ++c) {
        row[static_cast<size_t>(x) * 3 + static_cast<size_t>(c)] = Clamp(
            base[c] + light + shape * (0.7f + 0.15f * static_cast<float>(c)) + detail + noise[c]);
      }
    }
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace montrelle::bench
