#include "imaging/area_reduction.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace montrelle {
namespace {

constexpr std::size_t kPixelBytes = 3;

// A weighted sum over its total, rounded. The sum is at most 255 * columns.total *
// rows.total, below 255 times the pixel budget, so exact in a double, and converted
// as signed, which the processor does in one step.
std::uint8_t Mean(std::uint64_t sum, double scale) {
  return static_cast<std::uint8_t>(static_cast<double>(static_cast<std::int64_t>(sum)) * scale +
                                   0.5);
}

// The first `values` of `down` = weight * row, or += when `add`, value by value.
void SumDown(const std::uint8_t* row, std::size_t values, std::uint32_t weight, bool add,
             std::uint32_t* down) {
  if (add) {
    for (std::size_t v = 0; v < values; ++v) down[v] += weight * row[v];
  } else {
    for (std::size_t v = 0; v < values; ++v) down[v] = weight * row[v];
  }
}

}  // namespace

AreaReducer::Spans AreaReducer::SpansOf(std::int64_t source, std::int64_t out) {
  Spans spans;
  const std::int64_t common = std::gcd(source, out);
  const std::int64_t source_units = source / common;  // an output pixel's
  const std::int64_t out_units = out / common;        // a source pixel's
  spans.total = static_cast<std::uint64_t>(source_units);
  for (std::int64_t p = 0; p < out; ++p) {
    const std::int64_t from = p * source_units;
    const std::int64_t last = (from + source_units - 1) / out_units;
    spans.first.push_back(static_cast<std::int32_t>(from / out_units));
    spans.count.push_back(static_cast<std::uint32_t>(last - from / out_units + 1));
    spans.taps = std::max<std::size_t>(spans.taps, spans.count.back());
  }
  spans.weights.resize(static_cast<std::size_t>(out) * spans.taps);
  for (std::int64_t p = 0; p < out; ++p) {
    const std::int64_t from = p * source_units;
    const std::int64_t to = from + source_units;
    std::uint32_t* weight = spans.weights.data() + static_cast<std::size_t>(p) * spans.taps;
    for (std::int64_t s = spans.first[static_cast<std::size_t>(p)]; s * out_units < to; ++s) {
      *weight++ = static_cast<std::uint32_t>(std::min(to, (s + 1) * out_units) -
                                             std::max(from, s * out_units));
    }
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
      if (out.rows.total > std::numeric_limits<std::uint32_t>::max() / 255) {
        throw ImageTooLargeError(source.width, source.height);
      }
      out.scale = 1.0 / (static_cast<double>(out.columns.total) * out.rows.total);
      // The lengths of 0 past the last source pixel of the last output pixels
      // are taken against zeros past the source's width.
      out.down.resize((static_cast<std::size_t>(source.width) + out.columns.taps - 1) *
                      kPixelBytes);
      // Rows are added as they are done: a picture cleared first would be written
      // twice.
      ReservePixels(out.image, static_cast<std::size_t>(size.width) * kPixelBytes *
                                   static_cast<std::size_t>(size.height));
    }
    outputs_.push_back(std::move(out));
  }
}

void AreaReducer::Take(const std::uint8_t* row) {
  for (Output& out : outputs_) {
    if (out.rows.first.empty()) continue;
    // The row belongs to the output row being summed and, at its lower edge or
    // when the picture grows, to those after it.
    for (; out.y < out.rows.first.size() && out.rows.first[out.y] <= row_; ++out.y) {
      const std::size_t k = static_cast<std::size_t>(row_ - out.rows.first[out.y]);
      SumDown(row, static_cast<std::size_t>(source_.width) * kPixelBytes, out.rows.Weight(out.y, k),
              k > 0, out.down.data());
      if (k + 1 < out.rows.count[out.y]) break;
      ReduceAcross(out);
    }
  }
  ++row_;
}

void AreaReducer::ReduceAcross(Output& out) {
  const Spans& columns = out.columns;
  std::vector<std::uint8_t>& pixels = out.image.pixels;
  const std::size_t start = pixels.size();
  const std::size_t width = columns.first.size();
  pixels.resize(start + width * kPixelBytes);
  // Held apart from `out`: stores through a byte pointer could change anything,
  // and would have them read again at every pixel.
  std::uint8_t* to = pixels.data() + start;
  const std::uint32_t* const down = out.down.data();
  const std::int32_t* const first = columns.first.data();
  const std::size_t taps = columns.taps;
  const std::uint32_t* weight = columns.weights.data();
  const double scale = out.scale;
  for (std::size_t x = 0; x < width; ++x, to += kPixelBytes) {
    const std::uint32_t* value = down + static_cast<std::size_t>(first[x]) * kPixelBytes;
    std::uint64_t red = 0, green = 0, blue = 0;
    for (std::size_t k = 0; k < taps; ++k, ++weight, value += kPixelBytes) {
      red += std::uint64_t{*weight} * value[0];
      green += std::uint64_t{*weight} * value[1];
      blue += std::uint64_t{*weight} * value[2];
    }
    to[0] = Mean(red, scale);
    to[1] = Mean(green, scale);
    to[2] = Mean(blue, scale);
  }
}

std::vector<RgbImage> AreaReducer::TakeOutputs() {
  std::vector<RgbImage> images;
  for (Output& out : outputs_) images.push_back(std::move(out.image));
  outputs_.clear();
  return images;
}

std::vector<RgbImage> AreaReducedAtSizes(const RgbImage& source, std::span<const ImageSize> sizes) {
  RequireConsistent(source);
  AreaReducer reducer({source.width, source.height}, sizes);
  const std::size_t row_bytes = static_cast<std::size_t>(source.width) * kPixelBytes;
  for (std::size_t y = 0; y < static_cast<std::size_t>(source.height); ++y) {
    reducer.Take(source.pixels.data() + y * row_bytes);
  }
  return reducer.TakeOutputs();
}

RgbImage AreaReduced(const RgbImage& source, ImageSize size) {
  return std::move(AreaReducedAtSizes(source, {&size, 1}).front());
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
