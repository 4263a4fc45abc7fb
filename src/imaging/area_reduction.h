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
  // pixel budget or for a source over 2^32 / 255 rows tall, std::invalid_argument
  // when a non-empty output is asked of an empty source.
  AreaReducer(ImageSize source, std::span<const ImageSize> outputs);

  // The next source row: source.width pixels of 3 bytes.
  void Take(const std::uint8_t* row);

  // The outputs in the order they were asked for, once every row has been taken.
  std::vector<RgbImage> TakeOutputs();

 private:
  // The source pixels each output pixel covers along one side, with the length of
  // each that is covered. With g the greatest common divisor of the two lengths,
  // source pixel s spans [s * out / g, (s + 1) * out / g) and output pixel p spans
  // [p * source / g, (p + 1) * source / g), so every output pixel covers `total`
  // units: the smallest whole numbers that keep the sums exact.
  // Every output pixel has `taps` lengths, those past its last source pixel 0,
  // so that the sums across run the same number of steps at every pixel.
  struct Spans {
    std::vector<std::int32_t> first;   // per output pixel: its first source pixel
    std::vector<std::uint32_t> count;  // per output pixel: how many it covers
    std::vector<std::uint32_t> weights;
    std::size_t taps = 0;
    std::uint64_t total = 0;

    std::uint32_t Weight(std::size_t p, std::size_t k) const { return weights[p * taps + k]; }
  };

  static Spans SpansOf(std::int64_t source, std::int64_t out);

  // Each output row is summed down the source rows it covers first, at the
  // source's width, and reduced across once it is whole: the wide pass is then a
  // plain weighted sum of rows, and the narrow one runs once an output row.
  struct Output {
    RgbImage image;
    Spans columns, rows;
    std::vector<std::uint32_t> down;  // the output row being summed, at most
                                      // 255 * rows.total a value
    double scale = 0;                 // 1 / (columns.total * rows.total)
    std::size_t y = 0;                // that row
  };

  // The finished `down` reduced across onto the next row of the output picture.
  static void ReduceAcross(Output& out);

  ImageSize source_;
  std::int64_t row_ = 0;  // the next source row
  std::vector<Output> outputs_;
};

// The source reduced to `size`; an empty size gives a picture without pixels.
// Throws ImageTooLargeError beyond the pixel budget, std::invalid_argument when a
// non-empty size is asked of an empty source.
RgbImage AreaReduced(const RgbImage& source, ImageSize size);

// The source reduced to each of `sizes`, in their order, as AreaReduced does.
std::vector<RgbImage> AreaReducedAtSizes(const RgbImage& source, std::span<const ImageSize> sizes);

// The width a picture `own_width` wide is made at for each of `wanted`: the wanted
// width, at most the picture's own, and none where that repeats an earlier one.
std::vector<std::optional<std::int32_t>> OfferedWidths(std::int32_t own_width,
                                                       std::span<const std::int32_t> wanted);

}  // namespace montrelle
