#include "imaging/area_reduction.h"

#include <algorithm>
#include <stdexcept>

namespace montrelle {
namespace {

constexpr std::size_t kPixelBytes = 3;

// The source pixels an output pixel covers along one side, with the length of
// each that is covered. Lengths are counted in units of 1 / (source * output):
// source pixel s spans [s * out, (s + 1) * out), output pixel p spans
// [p * source, (p + 1) * source), so every output pixel covers `source` units.
struct Span {
  std::int32_t first = 0;
  std::vector<std::uint32_t> weights;  // for source pixels first, first + 1, ...
};

std::vector<Span> Spans(std::int64_t source, std::int64_t out) {
  std::vector<Span> spans(static_cast<std::size_t>(out));
  for (std::int64_t p = 0; p < out; ++p) {
    const std::int64_t begin = p * source;
    const std::int64_t end = begin + source;
    Span& span = spans[static_cast<std::size_t>(p)];
    span.first = static_cast<std::int32_t>(begin / out);
    for (std::int64_t s = span.first; s * out < end; ++s) {
      const std::int64_t covered = std::min(end, (s + 1) * out) - std::max(begin, s * out);
      span.weights.push_back(static_cast<std::uint32_t>(covered));
    }
  }
  return spans;
}

}  // namespace

RgbImage AreaReduced(const RgbImage& source, ImageSize size) {
  RequireConsistent(source);
  RgbImage out = MakeRgbImage(size.width, size.height);
  if (out.pixels.empty()) return out;
  if (source.pixels.empty()) throw std::invalid_argument("no pixels to reduce");

  const std::vector<Span> columns = Spans(source.width, size.width);
  const std::vector<Span> rows = Spans(source.height, size.height);
  const std::size_t values = static_cast<std::size_t>(size.width) * kPixelBytes;
  // A row reduced across weighs source.width units, a column of them
  // source.height times as many: 255 * 2^31 * 2^31 at most, within 64 bits.
  std::vector<std::uint64_t> across(values);
  std::vector<std::uint64_t> sum(values);
  const std::uint64_t total = std::uint64_t(source.width) * std::uint64_t(source.height);
  const std::size_t source_row_bytes = static_cast<std::size_t>(source.width) * kPixelBytes;
  for (std::int32_t y = 0; y < size.height; ++y) {
    const Span& row_span = rows[static_cast<std::size_t>(y)];
    std::fill(sum.begin(), sum.end(), 0);
    for (std::size_t r = 0; r < row_span.weights.size(); ++r) {
      const std::uint8_t* row =
          source.pixels.data() + (static_cast<std::size_t>(row_span.first) + r) * source_row_bytes;
      for (std::size_t x = 0; x < columns.size(); ++x) {
        const Span& span = columns[x];
        const std::uint8_t* pixel = row + static_cast<std::size_t>(span.first) * kPixelBytes;
        std::uint64_t red = 0, green = 0, blue = 0;
        for (std::uint32_t weight : span.weights) {
          red += weight * std::uint64_t{pixel[0]};
          green += weight * std::uint64_t{pixel[1]};
          blue += weight * std::uint64_t{pixel[2]};
          pixel += kPixelBytes;
        }
        across[x * 3] = red;
        across[x * 3 + 1] = green;
        across[x * 3 + 2] = blue;
      }
      const std::uint64_t weight = row_span.weights[r];
      for (std::size_t v = 0; v < values; ++v) sum[v] += weight * across[v];
    }
    std::uint8_t* to = out.pixels.data() + static_cast<std::size_t>(y) * values;
    for (std::size_t v = 0; v < values; ++v) {
      to[v] = static_cast<std::uint8_t>((sum[v] + total / 2) / total);
    }
  }
  return out;
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
