// Pictures made by area averaging (area_reduction.h) at several widths from one
// decode, for the galleries that offer each picture at several sizes.
//
// The file is checked, read and decoded as picture_files.h says; a JPEG is decoded
// at the smallest of the decoder's own scales that still holds the largest picture
// asked for (jpeg_row_reader.h), which changes nothing that averaging down from it
// does not. Each picture is reduced in the stored picture's direction and then
// oriented, and encoded as JPEG (quality 90). Smaller pictures are averaged from a
// larger one made before when it is at least twice their size, which only
// averages over a little more than the pixels covered and saves most of the time.
//
// Every call is a pure function of its arguments and the file's bytes, and may run
// on several threads at once.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imagelist/picture_kind.h"
#include "imaging/orientation.h"
#include "imaging/picture_files.h"

namespace montrelle {

// One set of widths a picture is offered at. Item k of its pictures: none when
// widths[k] is not offered for the oriented picture (OfferedWidths), otherwise the
// picture at the offered width, its height as ScaledSize gives it, or what making
// it threw.
using WidthSet = std::vector<std::int32_t>;
using OfferedPictures = std::vector<std::optional<MadePicture>>;

// The pictures of each set, each set offered on its own. What fails for every
// width (the file, the decoder) is thrown.
std::vector<OfferedPictures> ReduceJpegFile(const std::string& path, std::span<const WidthSet> sets,
                                            const Orientation& orientation);
std::vector<OfferedPictures> ReduceLibraryPictureFile(const std::string& path, LibraryFormat format,
                                                      std::span<const WidthSet> sets,
                                                      const Orientation& orientation);

// The BMP file decoded, reduced by area averaging to `width` (the height as
// ScaledSize gives it) and oriented, unencoded; its errors as ScaleBitmapFile's.
RgbImage AverageBitmapFile(const std::string& path, std::int32_t width,
                           const Orientation& orientation);

}  // namespace montrelle
