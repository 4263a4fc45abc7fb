// The floor of any exact decoding method: the entropy-coded data of every block
// must be read, whatever is made of it. libjpeg's jpeg_skip_scanlines over all
// rows but the last does that and little else (no inverse DCT, no upsampling, no
// colour conversion), so its time over the pictures, on one core, divided by the
// cores, is what no make run on the same pictures can beat. Decoding on every
// core at once seldom reaches it (the cores share caches, memory and the host),
// so the same decoding is also timed that way, on a thread per core, each taking
// the next picture as the make run's workers do.
#pragma once

#include <string>
#include <vector>

namespace montrelle::bench {

// Seconds to read every file of `paths` and its entropy-coded data once, on
// `threads` threads at once (1: on one core), in a child process. Throws
// std::runtime_error for a file that cannot be read or decoded.
double EntropyDecodingSeconds(const std::vector<std::string>& paths, unsigned threads);

// The least the responsive layout's run does for each of `paths`, on `threads`
// threads at once: decode the whole picture, row by row as the run does, since
// the largest picture it offers (`largest_width`, at most the photo's width) needs
// every pixel, and encode a picture of that size. Nothing is reduced: the picture
// encoded is the top left of the decoded one. Throws std::runtime_error when the
// work fails.
double DecodeWholeEncodeLargestSeconds(const std::vector<std::string>& paths, unsigned threads,
                                       int largest_width);

}  // namespace montrelle::bench
