#include "imaging/area_reduction.h"

#include <algorithm>
#include <stdexcept>

namespace montrelle {
namespace {

constexpr std::size_t kPixelBytes = 3;

// The source pixels each output pixel covers along one side, with the length of
// each that is covered. Lengths are counted in units of 1 / (source * output):
// source pixel s spans [s * out, (s + 1) * out), output pixel p spans
// [p * source, (p + 1) * source), so every output pixel covers `source` units.
struct Spans {
  std::vector<std::int32_t> first;  // per output pixel: its first source pixel
  std::vector<std::size_t> begin;   // per output pixel, and one past the last:
                                    // where its lengths start in `weights`
  std::vector<std::uint32_t> weights;

  std::size_t Count(std::size_t p) const { return begin[p + 1] - begin[p]; }
};

Spans SpansOf(std::int64_t source, std::int64_t out) {
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

// A source row reduced across: each value the weighted sum of the covered pixels,
// at most 255 * source width.
void ReduceAcross(const std::uint8_t* row, const Spans& columns, std::vector<double>& across) {
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

}  // namespace

RgbImage AreaReduced(const RgbImage& source, ImageSize size) {
  RequireConsistent(source);
  RgbImage out = MakeRgbImage(size.width, size.height);
  if (out.pixels.empty()) return out;
  if (source.pixels.empty()) throw std::invalid_argument("no pixels to reduce");

  const Spans columns = SpansOf(source.width, size.width);
  const Spans rows = SpansOf(source.height, size.height);
  const std::size_t values = static_cast<std::size_t>(size.width) * kPixelBytes;
  const std::size_t source_row_bytes = static_cast<std::size_t>(source.width) * kPixelBytes;
  // Whole numbers up to 255 * width * height, within the pixel budget far below
  // 2^53: exact in a double.
  std::vector<double> across(values), sum(values);
  std::int64_t reduced_row = -1;  // the source row `across` holds
  const double scale = 1.0 / (static_cast<double>(source.width) * source.height);
  for (std::size_t y = 0; y < static_cast<std::size_t>(size.height); ++y) {
    for (std::size_t k = 0; k < rows.Count(y); ++k) {
      const std::int64_t row = rows.first[y] + static_cast<std::int64_t>(k);
      if (row != reduced_row) {
        ReduceAcross(source.pixels.data() + static_cast<std::size_t>(row) * source_row_bytes,
                     columns, across);
        reduced_row = row;
      }
      const double weight = rows.weights[rows.begin[y] + k];
      if (k == 0) {
        for (std::size_t v = 0; v < values; ++v) sum[v] = weight * across[v];
      } else {
        for (std::size_t v = 0; v < values; ++v) sum[v] += weight * across[v];
      }
    }
    std::uint8_t* to = out.pixels.data() + y * values;
    for (std::size_t v = 0; v < values; ++v) {
      to[v] = static_cast<std::uint8_t>(sum[v] * scale + 0.5);
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
