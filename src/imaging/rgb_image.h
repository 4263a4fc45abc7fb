// The in-memory picture every picture operation passes on: 24-bit colour, rows top
// to bottom, 3 bytes per pixel in the order red, green, blue, no row padding.
//
// Every picture the program makes or decodes is held to one pixel budget,
// kMaxImagePixels (2^29 pixels, 1.5 GiB of RGB), checked before anything is
// allocated, so a hostile file or an absurd width ends in a clear error instead of
// exhausting memory. A width or height of 0 is an empty picture with no pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/app_error.h"

namespace montrelle {

struct RgbImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> pixels;  // height rows of width * 3 bytes

  bool operator==(const RgbImage&) const = default;
};

struct ImageSize {
  std::int32_t width = 0;
  std::int32_t height = 0;

  bool operator==(const ImageSize&) const = default;
};

inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 29;

// "画像が大きすぎます (幅 W、高さ H)": a picture beyond the pixel budget.
AppError ImageTooLargeError(std::int64_t width, std::int64_t height);

// The size, when both sides are within 32 bits and the pixels within
// `max_pixels`; throws ImageTooLargeError otherwise (a negative side as well).
ImageSize BudgetedSize(std::int64_t width, std::int64_t height,
                       std::int64_t max_pixels = kMaxImagePixels);

// A black picture of this size. Throws ImageTooLargeError when either side is
// negative or beyond 32 bits, or the pixel count exceeds `max_pixels`.
RgbImage MakeRgbImage(std::int64_t width, std::int64_t height,
                      std::int64_t max_pixels = kMaxImagePixels);

// Makes room for `bytes` of pixels, in huge pages where the system gives them: a
// photo's tens of megabytes then cost a few hundred page faults, not thousands.
void ReservePixels(RgbImage& image, std::size_t bytes);

// Throws std::invalid_argument when the pixel buffer does not match the size: a
// fault of the caller, never of a file.
void RequireConsistent(const RgbImage& image);

}  // namespace montrelle
