#include "imaging/row_sampler.h"

#include <algorithm>
#include <stdexcept>

#include "imaging/scaling.h"

namespace montrelle {
namespace {

constexpr std::size_t kPixelBytes = 3;

// Position `at` along a side `length` long, counted from the other end when `reversed`.
std::int64_t Along(std::int64_t at, std::int64_t length, bool reversed) {
  return reversed ? length - 1 - at : at;
}

}  // namespace

ImageSize OrientedSize(ImageSize source, const Orientation& orientation) {
  if (orientation.IsQuarterTurn()) return {source.height, source.width};
  return source;
}

RowSampler::RowSampler(ImageSize source, const Orientation& orientation,
                       std::span<const ImageSize> outputs) {
  // Undoing the rotation, then the flip, then the mirror, an oriented pixel lies in
  // the source at a column that depends on one output axis only and a row that
  // depends on the other: the oriented column for rotations 0 and 3, the oriented
  // row for the quarter turns, each counted from the far end in these cases.
  const bool quarter = orientation.IsQuarterTurn();
  const bool columns_reversed =
      orientation.mirror != (orientation.rotation == 1 || orientation.rotation == 3);
  const bool rows_reversed =
      orientation.flip != (orientation.rotation == 2 || orientation.rotation == 3);
  const ImageSize oriented = OrientedSize(source, orientation);

  for (const ImageSize& size : outputs) {
    Output out;
    out.image = MakeRgbImage(size.width, size.height);
    if (!out.image.pixels.empty()) {
      if (source.width == 0 || source.height == 0) {
        throw std::invalid_argument("no pixels to sample from");
      }
      const std::size_t row_bytes = static_cast<std::size_t>(size.width) * kPixelBytes;
      // Lines run across the oriented source's rows, or across its columns when turned.
      const std::int32_t line_count = quarter ? size.width : size.height;
      const std::int32_t along_count = quarter ? size.height : size.width;
      const std::int64_t line_length = quarter ? oriented.width : oriented.height;
      const std::int64_t along_length = quarter ? oriented.height : oriented.width;
      out.line_step = quarter ? kPixelBytes : row_bytes;
      out.pixel_step = quarter ? row_bytes : kPixelBytes;
      out.along.reserve(static_cast<std::size_t>(along_count));
      for (std::int64_t p = 0; p < along_count; ++p) {
        const std::int64_t column =
            Along(SamplePosition(p, along_length, along_count), source.width, columns_reversed);
        out.along.push_back(static_cast<std::size_t>(column) * kPixelBytes);
        columns_.push_back(static_cast<std::int32_t>(column));
      }
      out.lines.reserve(static_cast<std::size_t>(line_count));
      for (std::int32_t line = 0; line < line_count; ++line) {
        const std::int64_t row =
            Along(SamplePosition(line, line_length, line_count), source.height, rows_reversed);
        out.lines.emplace_back(static_cast<std::int32_t>(row), line);
      }
      std::sort(out.lines.begin(), out.lines.end());
      for (const auto& line : out.lines) rows_.push_back(line.first);
    }
    outputs_.push_back(std::move(out));
  }
  std::sort(rows_.begin(), rows_.end());
  rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
  std::sort(columns_.begin(), columns_.end());
  columns_.erase(std::unique(columns_.begin(), columns_.end()), columns_.end());
}

void RowSampler::Take(std::int32_t row, const std::uint8_t* pixels) {
  for (Output& out : outputs_) {
    for (; out.next < out.lines.size() && out.lines[out.next].first == row; ++out.next) {
      std::uint8_t* to = out.image.pixels.data() +
                         static_cast<std::size_t>(out.lines[out.next].second) * out.line_step;
      for (std::size_t offset : out.along) {
        std::copy_n(pixels + offset, kPixelBytes, to);
        to += out.pixel_step;
      }
    }
  }
}

std::vector<RgbImage> RowSampler::TakeOutputs() {
  std::vector<RgbImage> images;
  images.reserve(outputs_.size());
  for (Output& out : outputs_) images.push_back(std::move(out.image));
  outputs_.clear();
  return images;
}

RgbImage SampleOriented(const RgbImage& source, const Orientation& orientation, ImageSize size) {
  RequireConsistent(source);
  RowSampler sampler({source.width, source.height}, orientation, {&size, 1});
  const std::size_t row_bytes = static_cast<std::size_t>(source.width) * kPixelBytes;
  for (std::int32_t row : sampler.rows()) {
    sampler.Take(row, source.pixels.data() + row_bytes * static_cast<std::size_t>(row));
  }
  return std::move(sampler.TakeOutputs().front());
}

}  // namespace montrelle
