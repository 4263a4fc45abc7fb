#include "imaging/reduced_pictures.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>

#include "imaging/area_reduction.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_row_reader.h"
#include "imaging/library_pictures.h"
#include "imaging/picture_header.h"
#include "imaging/row_sampler.h"
#include "imaging/scaling.h"

namespace montrelle {
namespace {

constexpr std::int64_t kCascadeFactor = 2;

// Reduces the picture onto `sizes` (in the stored direction) as it decodes it,
// at least `least` large.
using ReduceSource =
    std::function<std::vector<RgbImage>(ImageSize least, std::span<const ImageSize> sizes)>;

std::vector<OfferedPictures> ReduceDecoded(ImageSize own, const ReduceSource& reduce_source,
                                           std::span<const WidthSet> sets,
                                           const Orientation& orientation) {
  const ImageSize oriented = OrientedSize(own, orientation);
  std::vector<OfferedPictures> made;
  // Every picture to make, as (set, item), and its size in the stored direction.
  std::vector<std::pair<std::size_t, std::size_t>> items;
  std::vector<ImageSize> sizes;
  ImageSize least;
  for (std::size_t set = 0; set < sets.size(); ++set) {
    const std::vector<std::optional<std::int32_t>> offered =
        OfferedWidths(oriented.width, sets[set]);
    made.emplace_back(offered.size());
    for (std::size_t k = 0; k < offered.size(); ++k) {
      if (!offered[k]) continue;
      MadePicture& picture = made[set][k].emplace();
      try {
        const ImageSize size = OrientedSize(ScaledSize(oriented, *offered[k]), orientation);
        items.emplace_back(set, k);
        sizes.push_back(size);
        least = {std::max(least.width, size.width), std::max(least.height, size.height)};
      } catch (const AppError&) {
        picture.error = std::current_exception();
      }
    }
  }
  // Largest first; each from the smallest larger one at least twice its size, the
  // others from the source.
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return sizes[a].width > sizes[b].width; });
  std::vector<std::optional<std::size_t>> from(items.size());
  std::vector<ImageSize> from_source;
  for (std::size_t n = 0; n < order.size(); ++n) {
    const ImageSize size = sizes[order[n]];
    for (std::size_t m = 0; m < n; ++m) {
      const ImageSize larger = sizes[order[m]];
      if (larger.width >= kCascadeFactor * size.width &&
          larger.height >= kCascadeFactor * size.height) {
        from[n] = m;
      }
    }
    if (!from[n]) from_source.push_back(size);
  }
  std::vector<RgbImage> sourced = reduce_source(least, from_source);
  std::vector<RgbImage> reduced(order.size());
  for (std::size_t n = 0, next = 0; n < order.size(); ++n) {
    MadePicture& picture = *made[items[order[n]].first][items[order[n]].second];
    try {
      reduced[n] =
          from[n] ? AreaReduced(reduced[*from[n]], sizes[order[n]]) : std::move(sourced[next++]);
      // A picture kept as it stands is encoded without a turned copy.
      if (orientation.mirror || orientation.flip || orientation.rotation != 0) {
        picture.bytes = EncodeJpeg(ApplyOrientation(reduced[n], orientation));
      } else {
        picture.bytes = EncodeJpeg(reduced[n]);
      }
    } catch (const AppError&) {
      picture.error = std::current_exception();
    }
  }
  return made;
}

}  // namespace

std::vector<OfferedPictures> ReduceJpegFile(const std::string& path, std::span<const WidthSet> sets,
                                            const Orientation& orientation) {
  const std::string bytes = ReadPictureBytes(path, ReadJpegSize(path));
  JpegRowReader reader(bytes);
  const auto reduce = [&](ImageSize least, std::span<const ImageSize> sizes) {
    std::optional<AreaReducer> reducer;
    reader.ReadAllAtLeast(
        least, [&](ImageSize decoded) { reducer.emplace(decoded, sizes); },
        [&](std::int32_t, const std::uint8_t* row) { reducer->Take(row); });
    return reducer->TakeOutputs();
  };
  return ReduceDecoded(reader.size(), reduce, sets, orientation);
}

std::vector<OfferedPictures> ReduceLibraryPictureFile(const std::string& path, LibraryFormat format,
                                                      std::span<const WidthSet> sets,
                                                      const Orientation& orientation) {
  const RgbImage picture = ReadLibraryPictureFile(path, format);
  const auto reduce = [&](ImageSize, std::span<const ImageSize> sizes) {
    return AreaReducedAtSizes(picture, sizes);
  };
  return ReduceDecoded({picture.width, picture.height}, reduce, sets, orientation);
}

RgbImage AverageBitmapFile(const std::string& path, std::int32_t width,
                           const Orientation& orientation) {
  const RgbImage picture = ReadBitmapFile(path);
  const ImageSize oriented = OrientedSize({picture.width, picture.height}, orientation);
  const ImageSize size = OrientedSize(ScaledSize(oriented, width), orientation);
  return ApplyOrientation(AreaReduced(picture, size), orientation);
}

}  // namespace montrelle
