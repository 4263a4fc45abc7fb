#include "gallery/responsive_sizes.h"

#include <algorithm>
#include <limits>

namespace montrelle {
namespace {

// A multiple of a width, held within 32 bits: no picture is that wide anyway.
std::int32_t Times(std::int64_t width, std::int64_t factor, std::int64_t divisor = 1) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      width * factor / divisor, 1, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

WidthSet ThumbnailWidths(const GenerationContext& context) {
  return {Times(context.small_width, 1), Times(context.small_width, 2),
          Times(context.small_width, 3)};
}

WidthSet MainImageWidths(const GenerationContext& context) {
  return {Times(context.main_width, 1), Times(context.main_width, 1, 2),
          Times(context.main_width, 2)};
}

}  // namespace montrelle
