// A JPEG file without what could tell of a person or a place: the copy of a photo
// that a gallery publishes.
//
// Every byte the picture is drawn from stays as it is: the frame header, the
// quantisation, Huffman, arithmetic-coding and restart tables, every scan header and
// its entropy-coded data, in their order. Of the other segments only these stay:
// APP0 "JFIF" (the pixel aspect), APP2 "ICC_PROFILE" (the colours, in as many
// chunks as it has) and APP14 "Adobe" (how the colours are stored). Every other
// APPn segment (Exif with its position, orientation and maker notes, XMP, the
// JFIF extension's thumbnail, multi-picture indexes) and every comment go, and so
// does everything after the end-of-picture marker (further pictures such as depth
// or gain maps with their own Exif). A file that ends before its end marker keeps
// all its entropy-coded data and gets no marker added: a browser shows it as far as
// it goes, as it shows the original.
//
// Fails with "JPEG 画像が不正です" when the file does not start with a picture
// marker or a segment runs past the end of the file.
#pragma once

#include <string>
#include <string_view>

namespace montrelle {

std::string JpegWithoutMetadata(std::string_view jpeg);

}  // namespace montrelle
