#include "bench/decode_floor.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "bench/child_run.h"
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

}  // namespace

double EntropyDecodingSeconds(const std::vector<std::string>& paths, unsigned threads) {
  const ChildOutcome outcome = RunInChild([&] {
    std::atomic<std::size_t> next = 0;
    const auto decode = [&] {
      for (std::size_t i = next++; i < paths.size(); i = next++) {
        SkipEveryRow(ReadFileBytes(paths[i]));
      }
    };
    std::vector<std::thread> others;
    for (unsigned t = 1; t < threads; ++t) others.emplace_back(decode);
    decode();
    for (std::thread& thread : others) thread.join();
  });
  if (!outcome.ok) throw std::runtime_error("the decoding floor could not be measured");
  return outcome.seconds;
}

}  // namespace montrelle::bench
