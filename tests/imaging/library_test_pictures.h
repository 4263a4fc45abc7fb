// HEIC, AVIF, PNG and WebP files made by the tests themselves with the libraries'
// own encoders (libheif with x265 and aom, libpng's writer, libwebp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/rgb_image.h"

namespace montrelle::testing {

enum class LibraryKind { kHeic, kAvif, kPng, kWebp };

// How a picture is stored beyond each kind's plain form: 8-bit RGB, opaque; HEIC and
// AVIF at quality 90, WebP lossless.
struct LibraryCoding {
  LibraryKind kind = LibraryKind::kPng;
  bool alpha = false;           // stripes of transparent, half-transparent (100) and opaque pixels
  bool lossy_webp = false;      // quality 90
  bool webp_animation = false;  // the picture is the first frame; another picture follows
  bool quarter_turn = false;    // HEIC, AVIF: stored turned, the container turning it back
  int png_bits = 8;             // 8 or 16 per sample
  bool png_palette = false;     // 4 bits a pixel: at most 16 colours with their alpha
  bool png_interlaced = false;  // Adam7
};

// `picture` with the alpha stripes over white, as a browser shows it:
// the reference for every reader.
RgbImage StripesOverWhite(const RgbImage& picture);

// The mean difference of all channels of two pictures of the same size (256 when
// the sizes differ): lossy files are compared within a bound.
double MeanDifference(const RgbImage& a, const RgbImage& b);

std::string LibraryPictureBytes(const RgbImage& picture, const LibraryCoding& coding);

void WriteLibraryPicture(const std::string& path, const RgbImage& picture,
                         const LibraryCoding& coding);

}  // namespace montrelle::testing
