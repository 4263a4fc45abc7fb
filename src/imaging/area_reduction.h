// Reducing a picture by area averaging, and the widths a picture is offered at.
//
// Each output pixel is the mean of the source pixels it covers, each weighted by
// the part of it that is covered, so that a fine pattern (leaves, fabric, roof
// tiles) comes out as its mean colour where point sampling breaks it into noise.
// Along a side that grows, an output pixel covers part of one or two source pixels
// and takes their weighted mean the same way. Means are rounded to the nearest
// value; the sums are exact, so a picture of one colour stays that colour.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imaging/rgb_image.h"

namespace montrelle {

// Area averaging of a picture handed over one row at a time, top to bottom, onto
// several sizes at once, so that no whole picture need be held: a decoder's rows
// go straight in.
class AreaReducer {
 public:
  // Outputs of any size, empty ones included. Throws ImageTooLargeError beyond the
  // pixel budget, std::invalid_argument when a non-empty output is asked of an
  // empty source.
  AreaReducer(ImageSize source, std::span<const ImageSize> outputs);

  // The next source row: source.width pixels of 3 bytes.
  void Take(const std::uint8_t* row);

  // The outputs in the order they were asked for, once every row has been taken.
  std::vector<RgbImage> TakeOutputs();

 private:
  // The source pixels each output pixel covers along one side, with the length of
  // each that is covered, in units of 1 / (source * output): source pixel s spans
  // [s * out, (s + 1) * out), output pixel p spans [p * source, (p + 1) * source),
  // so every output pixel covers `source` units.
  struct Spans {
    std::vector<std::int32_t> first;  // per output pixel: its first source pixel
    std::vector<std::size_t> begin;   // per output pixel and one past the last:
                                      // where its lengths start in `weights`
    std::vector<std::uint32_t> weights;

    std::size_t Count(std::size_t p) const { return begin[p + 1] - begin[p]; }
  };

  static Spans SpansOf(std::int64_t source, std::int64_t out);
  // A source row reduced across: each value the weighted sum of the covered
  // pixels, at most 255 * source width.
  static void ReduceAcross(const std::uint8_t* row, const Spans& columns,
                           std::vector<double>& across);

  struct Output {
    RgbImage image;
    Spans columns, rows;
    std::vector<double> across;  // the latest source row reduced across
    std::vector<double> sum;     // the output row being summed
    std::size_t y = 0;           // that row
  };

  ImageSize source_;
  std::int64_t row_ = 0;  // the next source row
  std::vector<Output> outputs_;
};

// The source reduced to `size`; an empty size gives a picture without pixels.
// Throws ImageTooLargeError beyond the pixel budget, std::invalid_argument when a
// non-empty size is asked of an empty source.
RgbImage AreaReduced(const RgbImage& source, ImageSize size);

// The width a picture `own_width` wide is made at for each of `wanted`: the wanted
// width, at most the picture's own, and none where that repeats an earlier one.
std::vector<std::optional<std::int32_t>> OfferedWidths(std::int32_t own_width,
                                                       std::span<const std::int32_t> wanted);

}  // namespace montrelle
