// Photo-like JPEG files for the benchmark, made at run time: large soft shapes,
// fine texture and sensor noise, stored as a camera stores them (4:2:0, quality 92,
// baseline), so that decoding costs what it costs on real photographs.
#pragma once

#include <string>

namespace montrelle::bench {

// Writes a width x height picture to `path`; `seed` makes each picture different.
// The picture is made and compressed row by row, without a full-size buffer.
void WritePhotoLikeJpeg(const std::string& path, int width, int height, unsigned seed);

}  // namespace montrelle::bench
