#include "imaging/rgb_image.h"

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

RgbImage MakeRgbImage(std::int64_t width, std::int64_t height, std::int64_t max_pixels) {
  const ImageSize size = BudgetedSize(width, height, max_pixels);
  RgbImage image;
  image.width = size.width;
  image.height = size.height;
  image.pixels.resize(size_t{3} * static_cast<size_t>(size.width) *
                      static_cast<size_t>(size.height));
  return image;
}

void RequireConsistent(const RgbImage& image) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
    throw std::invalid_argument("RgbImage pixel buffer does not match its size");
  }
}

}  // namespace montrelle
