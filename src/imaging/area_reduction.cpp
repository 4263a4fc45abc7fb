#include "imaging/area_reduction.h"

#include <algorithm>
#include <stdexcept>

namespace montrelle {
namespace {

constexpr std::size_t kPixelBytes = 3;

}  // namespace

void AreaReducer::ReduceAcross(const std::uint8_t* row, const Spans& columns,
                               std::vector<double>& across) {
  for (std::size_t x = 0; x < columns.first.size(); ++x) {
    const std::uint8_t* pixel = row + static_cast<std::size_t>(columns.first[x]) * kPixelBytes;
    const std::uint32_t* weight = columns.weights.data() + columns.begin[x];
    std::uint64_t red = 0, green = 0, blue = 0;
    for (std::size_t k = columns.Count(x); k > 0; --k, ++weight, pixel += kPixelBytes) {
      red += std::uint64_t{*weight} * pixel[0];
      green += std::uint64_t{*weight} * pixel[1];
      blue += std::uint64_t{*weight} * pixel[2];
    }
    across[x * 3] = static_cast<double>(red);
    across[x * 3 + 1] = static_cast<double>(green);
    across[x * 3 + 2] = static_cast<double>(blue);
  }
}

AreaReducer::Spans AreaReducer::SpansOf(std::int64_t source, std::int64_t out) {
  Spans spans;
  spans.begin.push_back(0);
  for (std::int64_t p = 0; p < out; ++p) {
    const std::int64_t from = p * source;
    const std::int64_t to = from + source;
    spans.first.push_back(static_cast<std::int32_t>(from / out));
    for (std::int64_t s = from / out; s * out < to; ++s) {
      const std::int64_t covered = std::min(to, (s + 1) * out) - std::max(from, s * out);
      spans.weights.push_back(static_cast<std::uint32_t>(covered));
    }
    spans.begin.push_back(spans.weights.size());
  }
  return spans;
}

AreaReducer::AreaReducer(ImageSize source, std::span<const ImageSize> outputs) : source_(source) {
  for (const ImageSize& size : outputs) {
    Output out;
    const ImageSize budgeted = BudgetedSize(size.width, size.height);
    out.image.width = budgeted.width;
    out.image.height = budgeted.height;
    if (budgeted.width > 0 && budgeted.height > 0) {
      if (source.width == 0 || source.height == 0) {
        throw std::invalid_argument("no pixels to reduce");
      }
      out.columns = SpansOf(source.width, size.width);
      out.rows = SpansOf(source.height, size.height);
      out.across.resize(static_cast<std::size_t>(size.width) * kPixelBytes);
      out.sum.resize(out.across.size());
      // Rows are added as they are done: a picture cleared first would be written
      // twice.
      ReservePixels(out.image, out.across.size() * static_cast<std::size_t>(size.height));
    }
    outputs_.push_back(std::move(out));
  }
}

void AreaReducer::Take(const std::uint8_t* row) {
  // Whole numbers up to 255 * width * height, within the pixel budget far below
  // 2^53: exact in a double.
  const double scale = 1.0 / (static_cast<double>(source_.width) * source_.height);
  for (Output& out : outputs_) {
    if (out.rows.first.empty()) continue;
    ReduceAcross(row, out.columns, out.across);
    const std::size_t values = out.across.size();
    // The row belongs to the output row being summed and, at its lower edge or
    // when the picture grows, to those after it.
    for (; out.y < out.rows.first.size() && out.rows.first[out.y] <= row_; ++out.y) {
      const std::size_t k = static_cast<std::size_t>(row_ - out.rows.first[out.y]);
      const double weight = out.rows.weights[out.rows.begin[out.y] + k];
      if (k == 0) {
        for (std::size_t v = 0; v < values; ++v) out.sum[v] = weight * out.across[v];
      } else {
        for (std::size_t v = 0; v < values; ++v) out.sum[v] += weight * out.across[v];
      }
      if (k + 1 < out.rows.Count(out.y)) break;
      std::vector<std::uint8_t>& pixels = out.image.pixels;
      pixels.resize(pixels.size() + values);
      std::uint8_t* to = pixels.data() + out.y * values;
      for (std::size_t v = 0; v < values; ++v) {
        to[v] = static_cast<std::uint8_t>(out.sum[v] * scale + 0.5);
      }
    }
  }
  ++row_;
}

std::vector<RgbImage> AreaReducer::TakeOutputs() {
  std::vector<RgbImage> images;
  for (Output& out : outputs_) images.push_back(std::move(out.image));
  outputs_.clear();
  return images;
}

RgbImage AreaReduced(const RgbImage& source, ImageSize size) {
  RequireConsistent(source);
  AreaReducer reducer({source.width, source.height}, {&size, 1});
  if (size.width > 0 && size.height > 0) {
    const std::size_t row_bytes = static_cast<std::size_t>(source.width) * kPixelBytes;
    for (std::size_t y = 0; y < static_cast<std::size_t>(source.height); ++y) {
      reducer.Take(source.pixels.data() + y * row_bytes);
    }
  }
  return std::move(reducer.TakeOutputs().front());
}

std::vector<std::optional<std::int32_t>> OfferedWidths(std::int32_t own_width,
                                                       std::span<const std::int32_t> wanted) {
  std::vector<std::optional<std::int32_t>> offered;
  std::vector<std::int32_t> seen;
  for (std::int32_t width : wanted) {
    const std::int32_t made = std::min(width, own_width);
    if (std::find(seen.begin(), seen.end(), made) != seen.end()) {
      offered.emplace_back();
    } else {
      seen.push_back(made);
      offered.emplace_back(made);
    }
  }
  return offered;
}

}  // namespace montrelle
