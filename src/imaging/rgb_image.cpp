#include "imaging/rgb_image.h"

#include <sys/mman.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace montrelle {

AppError ImageTooLargeError(std::int64_t width, std::int64_t height) {
  return AppError("画像が大きすぎます (幅 " + std::to_string(width) + "、高さ " +
                  std::to_string(height) + ")");
}

ImageSize BudgetedSize(std::int64_t width, std::int64_t height, std::int64_t max_pixels) {
  constexpr std::int64_t kSideLimit = std::numeric_limits<std::int32_t>::max();
  if (width < 0 || height < 0 || width > kSideLimit || height > kSideLimit ||
      width * height > max_pixels) {
    throw ImageTooLargeError(width, height);
  }
  return {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

namespace {

// A photo's pixels are tens of megabytes, first touched once, row after row: taken
// in huge pages they cost a few hundred page faults instead of thousands, which in
// a virtual machine is a fifth of a phone photo's making. Only whole huge pages
// inside the buffer are advised; the advice is a hint the kernel may ignore.
void AdviseHugePages(std::uint8_t* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace

void ReservePixels(RgbImage& image, std::size_t bytes) {
  image.pixels.reserve(bytes);
  AdviseHugePages(image.pixels.data(), bytes);
}

RgbImage MakeRgbImage(std::int64_t width, std::int64_t height, std::int64_t max_pixels) {
  const ImageSize size = BudgetedSize(width, height, max_pixels);
  RgbImage image;
  image.width = size.width;
  image.height = size.height;
  const size_t bytes =
      size_t{3} * static_cast<size_t>(size.width) * static_cast<size_t>(size.height);
  ReservePixels(image, bytes);
  image.pixels.resize(bytes);
  return image;
}

void RequireConsistent(const RgbImage& image) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
    throw std::invalid_argument("RgbImage pixel buffer does not match its size");
  }
}

}  // namespace montrelle
