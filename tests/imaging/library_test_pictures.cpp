#include "imaging/library_test_pictures.h"

#include <libheif/heif_cxx.h>
#include <png.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>

#include "imaging/test_pictures.h"

namespace montrelle::testing {
namespace {

std::vector<std::uint8_t> AlphaStripes(int width, int height) {
  std::vector<std::uint8_t> alpha;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) alpha.push_back(std::array{0, 100, 255}[(x + y) % 3]);
  }
  return alpha;
}

// The picture's pixels with AlphaStripes, or opaque, 4 bytes each.
std::vector<std::uint8_t> Rgba(const RgbImage& picture, bool stripes) {
  const std::vector<std::uint8_t> alpha = AlphaStripes(picture.width, picture.height);
  std::vector<std::uint8_t> rgba;
  for (size_t i = 0; i < alpha.size(); ++i) {
    rgba.insert(rgba.end(), picture.pixels.begin() + 3 * i, picture.pixels.begin() + 3 * i + 3);
    rgba.push_back(stripes ? alpha[i] : 255);
  }
  return rgba;
}

// Collects what libheif writes.
struct HeifBytesWriter : heif::Context::Writer {
  heif_error write(const void* data, size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    return {heif_error_Ok, heif_suberror_Unspecified, ""};
  }
  std::string bytes;
};

std::string HeifBytes(const RgbImage& upright, const LibraryCoding& coding) {
  const RgbImage picture = coding.quarter_turn ? StoredWithTag(upright, 6) : upright;
  heif::Image image;
  image.create(picture.width, picture.height, heif_colorspace_RGB,
               coding.alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
  image.add_plane(heif_channel_interleaved, picture.width, picture.height, 8);
  int stride = 0;
  std::uint8_t* plane = image.get_plane(heif_channel_interleaved, &stride);
  const std::vector<std::uint8_t> pixels = coding.alpha ? Rgba(picture, true) : picture.pixels;
  const size_t row = pixels.size() / picture.height;
  for (int y = 0; y < picture.height; ++y) std::copy_n(&pixels[row * y], row, plane + stride * y);

  heif::Encoder encoder(coding.kind == LibraryKind::kAvif ? heif_compression_AV1
                                                          : heif_compression_HEVC);
  encoder.set_lossy_quality(90);
  heif::Context::EncodingOptions options;
  // Written as an irot box: the stored picture is shown turned a quarter clockwise.
  if (coding.quarter_turn) options.image_orientation = heif_orientation_rotate_90_cw;
  heif::Context context;
  context.encode_image(image, encoder, options);
  HeifBytesWriter writer;
  context.write(writer);
  return writer.bytes;
}

// Samples of 8 or 16 bits, or indices of 4 bits into a palette with a tRNS chunk.
std::string PngBytes(const RgbImage& picture, const LibraryCoding& coding) {
  const std::vector<std::uint8_t> rgba = Rgba(picture, coding.alpha);
  std::map<std::array<std::uint8_t, 4>, int> index;
  std::vector<png_color> palette;
  std::vector<png_byte> palette_alpha;
  const int bits = coding.png_palette ? 4 : coding.png_bits;
  std::vector<std::vector<png_byte>> rows(picture.height);
  for (size_t i = 0; i < rgba.size() / 4; ++i) {
    const std::array<std::uint8_t, 4> key = {rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2],
                                             rgba[4 * i + 3]};
    const auto [at, added] = index.emplace(key, static_cast<int>(index.size()));
    if (added) palette.push_back({key[0], key[1], key[2]});
    if (added) palette_alpha.push_back(key[3]);
    std::vector<png_byte>& row = rows[i / picture.width];
    if (!coding.png_palette) {
      for (size_t c = 0; c < (coding.alpha ? 4u : 3u); ++c) row.insert(row.end(), bits / 8, key[c]);
    } else if (i % picture.width % 2 == 0) {
      row.push_back(static_cast<png_byte>(at->second << 4));
    } else {
      row.back() |= static_cast<png_byte>(at->second);
    }
  }

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::string bytes;
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, size_t size) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), size);
      },
      nullptr);
  const int type = coding.png_palette ? PNG_COLOR_TYPE_PALETTE
                   : coding.alpha     ? PNG_COLOR_TYPE_RGB_ALPHA
                                      : PNG_COLOR_TYPE_RGB;
  png_set_IHDR(png, info, picture.width, picture.height, bits, type,
               coding.png_interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (coding.png_palette) {
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_set_tRNS(png, info, palette_alpha.data(), static_cast<int>(palette.size()), nullptr);
  }
  std::vector<png_bytep> row_pointers;
  for (auto& row : rows) row_pointers.push_back(row.data());
  png_write_info(png, info);
  png_write_image(png, row_pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

std::string WebpAnimation(const RgbImage& picture, const LibraryCoding& coding) {
  WebPAnimEncoderOptions options;
  WebPAnimEncoderOptionsInit(&options);
  WebPAnimEncoder* encoder = WebPAnimEncoderNew(picture.width, picture.height, &options);
  WebPConfig config;
  WebPConfigInit(&config);
  config.lossless = coding.lossy_webp ? 0 : 1;
  const RgbImage second = PlainPicture(picture.width, picture.height, 10, 20, 30);
  for (int k = 0; k < 2; ++k) {
    WebPPicture frame;
    WebPPictureInit(&frame);
    frame.use_argb = 1;  // kept as ARGB, so that lossless stays exact
    frame.width = picture.width;
    frame.height = picture.height;
    const std::vector<std::uint8_t> rgba =
        k == 0 ? Rgba(picture, coding.alpha) : Rgba(second, false);
    WebPPictureImportRGBA(&frame, rgba.data(), picture.width * 4);
    WebPAnimEncoderAdd(encoder, &frame, 100 * k, &config);
    WebPPictureFree(&frame);
  }
  WebPAnimEncoderAdd(encoder, nullptr, 200, nullptr);
  WebPData data;
  WebPDataInit(&data);
  WebPAnimEncoderAssemble(encoder, &data);
  std::string bytes(reinterpret_cast<const char*>(data.bytes), data.size);
  WebPDataClear(&data);
  WebPAnimEncoderDelete(encoder);
  return bytes;
}

std::string WebpBytes(const RgbImage& picture, const LibraryCoding& coding) {
  if (coding.webp_animation) return WebpAnimation(picture, coding);
  const std::vector<std::uint8_t> rgba = Rgba(picture, coding.alpha);
  std::uint8_t* out = nullptr;
  const size_t size =
      coding.lossy_webp
          ? WebPEncodeRGBA(rgba.data(), picture.width, picture.height, picture.width * 4, 90, &out)
          : WebPEncodeLosslessRGBA(rgba.data(), picture.width, picture.height, picture.width * 4,
                                   &out);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  WebPFree(out);
  return bytes;
}

}  // namespace

RgbImage StripesOverWhite(const RgbImage& picture) {
  const std::vector<std::uint8_t> alpha = AlphaStripes(picture.width, picture.height);
  RgbImage out = picture;
  for (size_t i = 0; i < alpha.size(); ++i) {
    for (size_t c = 3 * i; c < 3 * i + 3; ++c) {
      out.pixels[c] = static_cast<std::uint8_t>(
          std::lround((picture.pixels[c] * alpha[i] + 255.0 * (255 - alpha[i])) / 255.0));
    }
  }
  return out;
}

double MeanDifference(const RgbImage& a, const RgbImage& b) {
  if (a.width != b.width || a.height != b.height) return 256;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(a.pixels[i] - b.pixels[i]);
  return a.pixels.empty() ? 0 : sum / static_cast<double>(a.pixels.size());
}

std::string LibraryPictureBytes(const RgbImage& picture, const LibraryCoding& coding) {
  if (coding.kind == LibraryKind::kPng) return PngBytes(picture, coding);
  if (coding.kind == LibraryKind::kWebp) return WebpBytes(picture, coding);
  return HeifBytes(picture, coding);
}

void WriteLibraryPicture(const std::string& path, const RgbImage& picture,
                         const LibraryCoding& coding) {
  const std::string bytes = LibraryPictureBytes(picture, coding);
  if (!std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes))) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace montrelle::testing

// libheif 1.15 leaves a block of x265's behind for every HEIC encoder it opens; the
// leak checker of the sanitizer builds is told to pass over it (a hook the
// sanitizer runtime looks up, unused in other builds).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libx265.so\n";
}
