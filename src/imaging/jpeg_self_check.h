// The self-check of the raw path (jpeg_raw_rows.h) against the library loaded:
// small pictures made at run time, one for each sampling layout and coding the
// raw path serves, read both ways. Internal to the JPEG decoder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/jpeg_row_reader.h"

namespace montrelle {

// The pixels a picture's reading gives for the rows and columns the check samples.
using SampledDecode =
    std::function<std::vector<std::uint8_t>(const std::string& jpeg, JpegDecodePath path)>;

// The check's samples of `jpeg` read by `path`: a few rows and columns, near
// each other and far apart, so that the raw path reads some blocks and passes
// over others.
std::vector<std::uint8_t> SampledPixels(const std::string& jpeg, JpegDecodePath path);

// Whether `decode` gives the same bytes both ways for every picture of the check;
// a failure to decode counts as a difference.
bool RawPathAgrees(const SampledDecode& decode = SampledPixels);

}  // namespace montrelle
