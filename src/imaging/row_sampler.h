// Point sampling with the orientation applied as an index mapping.
//
// Each output pixel is taken straight from the source pixel it samples: no
// mirrored, flipped or turned copy of the source is ever made, and the source is
// handed over one row at a time, only the rows that some output samples. So a
// picture can be sampled while it is being decoded, at several sizes at once.
//
// For a W x H source, whose oriented form is W' x H' (swapped by a quarter turn),
// output pixel (x, y) of a w x h output takes the oriented pixel at column
// SamplePosition(x, W', w) and row SamplePosition(y, H', h) (scaling.h), which is
// the source pixel that mirror, flip and rotation (orientation.h) carry there.
// The result is pixel for pixel SampleToSize(ApplyOrientation(source), w, h).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/orientation.h"
#include "imaging/rgb_image.h"

namespace montrelle {

class RowSampler {
 public:
  // Outputs of any size, empty ones included. Throws ImageTooLargeError for an
  // output beyond the pixel budget, std::invalid_argument when a non-empty output
  // is asked of an empty source.
  RowSampler(ImageSize source, const Orientation& orientation, std::span<const ImageSize> outputs);

  // The source rows that some output samples, ascending, each once.
  const std::vector<std::int32_t>& rows() const { return rows_; }

  // The source columns that some output samples, ascending, each once.
  const std::vector<std::int32_t>& columns() const { return columns_; }

  // Source row `row` (W pixels of 3 bytes, only those of columns() read). Rows come in the order of
  // rows().
  void Take(std::int32_t row, const std::uint8_t* pixels);

  // The outputs in the order they were asked for, once every row has been taken.
  std::vector<RgbImage> TakeOutputs();

 private:
  // One output. Its lines are its rows, or its columns when the orientation is a
  // quarter turn (a source row then runs down an output column).
  struct Output {
    RgbImage image;
    std::size_t line_step = 0;       // bytes from one line to the next
    std::size_t pixel_step = 0;      // bytes from one pixel of a line to the next
    std::vector<std::size_t> along;  // per pixel of a line: its byte offset in the source row
    // (source row, line), ascending by source row; `next` is the first not yet filled.
    std::vector<std::pair<std::int32_t, std::int32_t>> lines;
    std::size_t next = 0;
  };

  std::vector<Output> outputs_;
  std::vector<std::int32_t> rows_;
  std::vector<std::int32_t> columns_;
};

// SampleToSize(ApplyOrientation(source, orientation), size.width, size.height),
// without the oriented copy.
RgbImage SampleOriented(const RgbImage& source, const Orientation& orientation, ImageSize size);

// The size of the source once oriented: width and height swapped by a quarter turn.
ImageSize OrientedSize(ImageSize source, const Orientation& orientation);

}  // namespace montrelle
