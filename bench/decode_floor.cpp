#include "bench/decode_floor.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bench/child_run.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_row_reader.h"
#include "imaging/scaling.h"
#include "platform/text_file.h"

namespace montrelle::bench {
namespace {

// The bench's own pictures are sound: a fatal library error ends the child that
// runs this through the library's own handler.
void SkipEveryRow(const std::string& bytes) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  info.dct_method = JDCT_FLOAT;
  jpeg_start_decompress(&info);
  // Skipping to the very end would return at once without reading the data; the
  // last row is read instead.
  jpeg_skip_scanlines(&info, info.output_height - 1);
  std::vector<JSAMPLE> row(std::size_t{info.output_width} * 3);
  JSAMPROW pointer = row.data();
  jpeg_read_scanlines(&info, &pointer, 1);
  jpeg_destroy_decompress(&info);
}

// Seconds, in a child process, to run `each` over `paths` on `threads` threads at
// once, each taking the next path as the make run's workers do.
double SecondsOverPaths(const std::vector<std::string>& paths, unsigned threads,
                        const std::function<void(const std::string&)>& each) {
  const ChildOutcome outcome = RunInChild([&] {
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
      for (std::size_t i = next++; i < paths.size(); i = next++) each(paths[i]);
    };
    std::vector<std::thread> others;
    for (unsigned t = 1; t < threads; ++t) others.emplace_back(work);
    work();
    for (std::thread& thread : others) thread.join();
  });
  if (!outcome.ok) throw std::runtime_error("a floor could not be measured");
  return outcome.seconds;
}

}  // namespace

double EntropyDecodingSeconds(const std::vector<std::string>& paths, unsigned threads) {
  return SecondsOverPaths(paths, threads,
                          [](const std::string& path) { SkipEveryRow(ReadFileBytes(path)); });
}

double DecodeWholeEncodeLargestSeconds(const std::vector<std::string>& paths, unsigned threads,
                                       int largest_width) {
  return SecondsOverPaths(paths, threads, [&](const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    JpegRowReader reader(bytes);
    // As the run, no wider than the photo.
    const ImageSize size =
        ScaledSize(reader.size(), std::min<std::int32_t>(largest_width, reader.size().width));
    RgbImage picture = MakeRgbImage(size.width, size.height);
    const std::size_t row_bytes = static_cast<std::size_t>(size.width) * 3;
    reader.ReadAllAtLeast(
        reader.size(), [](ImageSize) {},
        [&](std::int32_t y, const std::uint8_t* row) {
          if (y < size.height) std::memcpy(picture.pixels.data() + y * row_bytes, row, row_bytes);
        });
    if (EncodeJpeg(picture).empty()) throw std::runtime_error("nothing encoded");
  });
}

}  // namespace montrelle::bench
