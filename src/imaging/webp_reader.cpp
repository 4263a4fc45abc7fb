#include "imaging/webp_reader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "imaging/alpha_over_white.h"

namespace montrelle {
namespace {

AppError WebpError() {
  return AppError("WebP 画像が不正です");
}

struct DemuxDelete {
  void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

// The first frame; the destructor releases it and never throws.
struct FirstFrame {
  explicit FirstFrame(const WebPDemuxer* demux) : found(WebPDemuxGetFrame(demux, 1, &frame) != 0) {}
  ~FirstFrame() {
    if (found) WebPDemuxReleaseIterator(&frame);
  }
  FirstFrame(const FirstFrame&) = delete;
  FirstFrame& operator=(const FirstFrame&) = delete;

  WebPIterator frame{};
  bool found;
};

// A file the demuxer has taken whole: every chunk within the file and in its place.
class WebpFile {
 public:
  WebpFile(std::string_view bytes, std::int64_t max_pixels) {
    const WebPData data = {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    demux_.reset(WebPDemux(&data));
    if (!demux_) throw WebpError();
    size_ = BudgetedSize(WebPDemuxGetI(demux_.get(), WEBP_FF_CANVAS_WIDTH),
                         WebPDemuxGetI(demux_.get(), WEBP_FF_CANVAS_HEIGHT), max_pixels);
  }

  ImageSize size() const { return size_; }

  RgbImage DecodeFirstFrame(std::int64_t max_pixels) const {
    const FirstFrame first(demux_.get());
    const WebPIterator& frame = first.frame;
    WebPBitstreamFeatures features;
    if (!first.found || frame.width <= 0 || frame.height <= 0 || frame.x_offset < 0 ||
        frame.y_offset < 0 || frame.width > size_.width - frame.x_offset ||
        frame.height > size_.height - frame.y_offset ||
        WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &features) != VP8_STATUS_OK ||
        features.width != frame.width || features.height != frame.height) {
      throw WebpError();
    }

    RgbImage image = MakeRgbImage(size_.width, size_.height, max_pixels);
    const size_t frame_row = size_t{4} * static_cast<size_t>(frame.width);
    std::vector<std::uint8_t> rgba(frame_row * static_cast<size_t>(frame.height));
    if (WebPDecodeRGBAInto(frame.fragment.bytes, frame.fragment.size, rgba.data(), rgba.size(),
                           static_cast<int>(frame_row)) == nullptr) {
      throw WebpError();
    }
    std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t{255});
    const size_t image_row = size_t{3} * static_cast<size_t>(size_.width);
    for (int y = 0; y < frame.height; ++y) {
      BlendOverWhite(rgba.data() + frame_row * static_cast<size_t>(y),
                     static_cast<size_t>(frame.width),
                     image.pixels.data() + image_row * static_cast<size_t>(frame.y_offset + y) +
                         size_t{3} * static_cast<size_t>(frame.x_offset));
    }
    return image;
  }

 private:
  std::unique_ptr<WebPDemuxer, DemuxDelete> demux_;
  ImageSize size_;
};

}  // namespace

RgbImage DecodeWebp(std::string_view bytes, std::int64_t max_pixels) {
  return WebpFile(bytes, max_pixels).DecodeFirstFrame(max_pixels);
}

ImageSize WebpSizeOf(std::string_view bytes, std::int64_t max_pixels) {
  return WebpFile(bytes, max_pixels).size();
}

}  // namespace montrelle
