#include "imaging/heif_reader.h"

#include <libheif/heif.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "imaging/alpha_over_white.h"

namespace montrelle {
namespace {

// libheif refuses a side at or beyond this before it allocates anything for it:
// its own default, set here so that a build with a larger one holds to it too. The
// pixel budget is checked by the reader, so that a picture beyond it is reported as
// too large rather than as damaged.
constexpr int kSideLimit = 32768;

struct ContextFree {
  void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
  void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

bool CallsItselfAvif(std::string_view bytes) {
  if (bytes.size() < 12) return false;
  const heif_brand2 brand =
      heif_read_main_brand(reinterpret_cast<const std::uint8_t*>(bytes.data()), 12);
  return brand == heif_fourcc_to_brand("avif") || brand == heif_fourcc_to_brand("avis");
}

// The primary image of a file whose container has been read, its sizes checked.
class PrimaryImage {
 public:
  PrimaryImage(std::string_view bytes, std::int64_t max_pixels) : bytes_(bytes) {
    context_.reset(heif_context_alloc());
    if (!context_) throw std::bad_alloc();
    heif_context_set_maximum_image_size_limit(context_.get(), kSideLimit);
    heif_context_set_max_decoding_threads(context_.get(), 0);
    heif_image_handle* handle = nullptr;
    if (heif_context_read_from_memory_without_copy(context_.get(), bytes.data(), bytes.size(),
                                                   nullptr)
                .code != heif_error_Ok ||
        heif_context_get_primary_image_handle(context_.get(), &handle).code != heif_error_Ok) {
      throw Error();
    }
    handle_.reset(handle);
    const int width = heif_image_handle_get_width(handle);
    const int height = heif_image_handle_get_height(handle);
    if (width <= 0 || height <= 0) throw Error();
    BudgetedSize(heif_image_handle_get_ispe_width(handle),
                 heif_image_handle_get_ispe_height(handle), max_pixels);
    size_ = BudgetedSize(width, height, max_pixels);
  }

  ImageSize size() const { return size_; }

  std::unique_ptr<heif_image, ImageRelease> DecodedAs(heif_colorspace colorspace,
                                                      heif_chroma chroma,
                                                      const heif_decoding_options& options) const {
    heif_image* decoded = nullptr;
    const heif_error error =
        heif_decode_image(handle_.get(), &decoded, colorspace, chroma, &options);
    std::unique_ptr<heif_image, ImageRelease> image(decoded);
    if (error.code != heif_error_Ok || !image) throw Error();
    return image;
  }

  // Red, green and blue planes of 8 bits a sample, interleaved.
  RgbImage Interleaved(const heif_image& planes, std::int64_t max_pixels) const {
    std::array<const std::uint8_t*, 3> samples{};
    std::array<int, 3> strides{};
    const heif_channel channels[] = {heif_channel_R, heif_channel_G, heif_channel_B};
    for (size_t c = 0; c < 3; ++c) {
      samples[c] = heif_image_get_plane_readonly(&planes, channels[c], &strides[c]);
      if (samples[c] == nullptr || heif_image_get_width(&planes, channels[c]) != size_.width ||
          heif_image_get_height(&planes, channels[c]) != size_.height ||
          heif_image_get_bits_per_pixel_range(&planes, channels[c]) != 8 ||
          strides[c] < size_.width) {
        throw Error();
      }
    }
    RgbImage out = MakeRgbImage(size_.width, size_.height, max_pixels);
    std::uint8_t* pixel = out.pixels.data();
    for (std::int32_t y = 0; y < size_.height; ++y) {
      const std::uint8_t* r = samples[0] + static_cast<size_t>(strides[0]) * y;
      const std::uint8_t* g = samples[1] + static_cast<size_t>(strides[1]) * y;
      const std::uint8_t* b = samples[2] + static_cast<size_t>(strides[2]) * y;
      for (std::int32_t x = 0; x < size_.width; ++x) {
        *pixel++ = r[x];
        *pixel++ = g[x];
        *pixel++ = b[x];
      }
    }
    return out;
  }

  RgbImage Decode(std::int64_t max_pixels) const {
    const bool alpha = heif_image_handle_has_alpha_channel(handle_.get()) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    if (!options) throw std::bad_alloc();
    options->convert_hdr_to_8bit = 1;
    // An opaque picture of 8 bits comes as planes of red, green and blue,
    // interleaved here: libheif's own interleaved output costs a third more of the
    // decoding time. libheif reduces deeper samples to 8 bits only as it interleaves.
    const bool eight_bits = heif_image_handle_get_luma_bits_per_pixel(handle_.get()) == 8;
    if (!alpha && eight_bits) {
      return Interleaved(*DecodedAs(heif_colorspace_RGB, heif_chroma_444, *options), max_pixels);
    }
    const auto image =
        DecodedAs(heif_colorspace_RGB,
                  alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, *options);
    const size_t channels = alpha ? 4 : 3;

    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (plane == nullptr ||
        heif_image_get_width(image.get(), heif_channel_interleaved) != size_.width ||
        heif_image_get_height(image.get(), heif_channel_interleaved) != size_.height ||
        heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8 ||
        stride < 0 || static_cast<size_t>(stride) < channels * size_.width) {
      throw Error();
    }

    RgbImage out = MakeRgbImage(size_.width, size_.height, max_pixels);
    const size_t out_row = size_t{3} * size_.width;
    for (std::int32_t y = 0; y < size_.height; ++y) {
      const std::uint8_t* in = plane + static_cast<size_t>(stride) * y;
      std::uint8_t* row = out.pixels.data() + out_row * y;
      if (alpha) {
        BlendOverWhite(in, static_cast<size_t>(size_.width), row);
      } else {
        std::copy_n(in, out_row, row);
      }
    }
    return out;
  }

 private:
  AppError Error() const {
    return AppError(CallsItselfAvif(bytes_) ? "AVIF 画像が不正です" : "HEIF 画像が不正です");
  }

  std::string_view bytes_;
  std::unique_ptr<heif_context, ContextFree> context_;
  std::unique_ptr<heif_image_handle, HandleRelease> handle_;
  ImageSize size_;
};

}  // namespace

RgbImage DecodeHeif(std::string_view bytes, std::int64_t max_pixels) {
  return PrimaryImage(bytes, max_pixels).Decode(max_pixels);
}

ImageSize HeifSizeOf(std::string_view bytes, std::int64_t max_pixels) {
  return PrimaryImage(bytes, max_pixels).size();
}

}  // namespace montrelle
