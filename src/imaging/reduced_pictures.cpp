#include "imaging/reduced_pictures.h"

#include <algorithm>
#include <functional>
#include <numeric>

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

// Decodes the picture at least this large (in the stored direction).
using Decode = std::function<RgbImage(ImageSize least)>;

std::vector<OfferedPictures> ReduceDecoded(ImageSize own, const Decode& decode,
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
  const RgbImage decoded = decode(least);
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return sizes[a].width > sizes[b].width; });
  std::vector<RgbImage> reduced;
  for (std::size_t i : order) {
    const ImageSize size = sizes[i];
    const RgbImage* from = &decoded;
    for (const RgbImage& larger : reduced) {
      if (larger.width >= kCascadeFactor * size.width &&
          larger.height >= kCascadeFactor * size.height) {
        from = &larger;
      }
    }
    MadePicture& picture = *made[items[i].first][items[i].second];
    try {
      reduced.push_back(AreaReduced(*from, size));
      // A picture kept as it stands is encoded without a turned copy.
      if (orientation.mirror || orientation.flip || orientation.rotation != 0) {
        picture.bytes = EncodeJpeg(ApplyOrientation(reduced.back(), orientation));
      } else {
        picture.bytes = EncodeJpeg(reduced.back());
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
  return ReduceDecoded(
      reader.size(), [&](ImageSize least) { return reader.ReadAllAtLeast(least); }, sets,
      orientation);
}

std::vector<OfferedPictures> ReduceLibraryPictureFile(const std::string& path, LibraryFormat format,
                                                      std::span<const WidthSet> sets,
                                                      const Orientation& orientation) {
  RgbImage picture = ReadLibraryPictureFile(path, format);
  const ImageSize own = {picture.width, picture.height};
  return ReduceDecoded(
      own, [&](ImageSize) { return std::move(picture); }, sets, orientation);
}

RgbImage AverageBitmapFile(const std::string& path, std::int32_t width,
                           const Orientation& orientation) {
  const RgbImage picture = ReadBitmapFile(path);
  const ImageSize oriented = OrientedSize({picture.width, picture.height}, orientation);
  const ImageSize size = OrientedSize(ScaledSize(oriented, width), orientation);
  return ApplyOrientation(AreaReduced(picture, size), orientation);
}

}  // namespace montrelle
