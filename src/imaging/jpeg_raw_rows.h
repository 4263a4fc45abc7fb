// Sampled pixels of a JPEG picture from the library's raw output. Internal to the
// JPEG decoder (jpeg_decoder.cpp).
//
// In raw mode libjpeg hands over each component at its stored resolution, one
// iMCU row at a time, after its own inverse DCT; stretching the colour components
// and turning YCbCr into RGB is left to us. We do both for the sampled pixels only,
// with the library's own integer arithmetic, so that every pixel equals the one a
// full decode gives: the fancy upsampling (a 3:1 blend of the nearest and the next
// nearest sample, by width, by height or both), plain repetition where the library
// uses it (twice the width over at most two samples), and the fixed-point colour
// conversion. Neighbours past the picture's edge are the edge sample itself, as
// the library's context rows and its first and last columns give them.
//
// The inverse DCT is the slow part the samples do not need everywhere: the
// library's own transform runs only for the blocks some sampled pixel reads, and is
// passed over for all others (see RawRows::Attach). Entropy decoding still covers
// every block, as it must, but in a single Huffman-coded scan the blocks no sample
// reads are only passed over, as jpeg_skip_scanlines passes them, and so are whole
// iMCU rows without a sampled row.
//
// Only the layouts whose arithmetic is reproduced here take this way (see
// RawRowsAreExact), and only once the loaded library has passed a self-check
// (jpeg_decoder_choice.h), since the block choice goes through the library's
// private structs (jpeg_private_layout.h); the decoder reads all others with
// scanlines.
#pragma once

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

#include <span>
#include <vector>

namespace montrelle {

// Whether a picture is a YCbCr or greyscale one of 8-bit samples coded with DCT
// blocks (not lossless), and has only components stored at full size or at half
// the width, height or both, the stretches reproduced here. Valid once the header
// is read.
bool RawRowsAreExact(const jpeg_decompress_struct& info);

class RawRows {
 public:
  // After the header, before jpeg_start_decompress (with raw_data_out set): the
  // blocks `rows` and `columns` (ascending, within the picture) need.
  RawRows(const jpeg_decompress_struct& info, std::span<const std::int32_t> rows,
          std::span<const std::int32_t> columns);

  // After jpeg_start_decompress: routes the library's inverse DCT through the
  // block choice. `info` must outlive the reads.
  void Attach(jpeg_decompress_struct& info);

  // The iMCU rows that must have been read before `row` can be made: its own and
  // the next one, whose first rows stretch into it.
  JDIMENSION ImcuRowsFor(std::int32_t row) const;

  // Where the library writes iMCU row `imcu`: three rows take turns, since a row's
  // pixels read samples of the iMCU rows above and below.
  JSAMPIMAGE BuffersFor(JDIMENSION imcu) { return slots_[imcu % kSlots].data(); }

  // The sampled columns of `row` into `pixels` (3 bytes each, the picture's width);
  // the other pixels are left as they are.
  void MakeRow(std::int32_t row, std::uint8_t* pixels);

 private:
  static constexpr JDIMENSION kSlots = 3;
  using InverseDct = void (*)(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY,
                              JDIMENSION);

  // How the library stretches a component to the picture's size.
  enum class Stretch { kNone, kWidthBlend, kWidthRepeat, kHeightBlend, kBothBlend, kBothRepeat };

  struct Component {
    Stretch stretch = Stretch::kNone;
    std::int64_t width = 0;  // samples the component has across and down
    std::int64_t height = 0;
    std::size_t stride = 0;     // bytes from one buffer row to the next
    std::size_t mcu_width = 0;  // blocks across and down in an interleaved MCU
    std::size_t mcu_height = 0;
    JDIMENSION imcu_rows = 0;           // rows of one iMCU row
    std::vector<std::uint8_t> samples;  // kSlots iMCU rows
    std::vector<JSAMPROW> rows;
    std::vector<std::uint8_t> block_rows, block_columns;  // 1 for the blocks some sample reads
    InverseDct library_dct = nullptr;
    // Per sampled column: the sample under it, its second neighbour by width, and
    // the component's value there in the row being made.
    std::vector<std::uint32_t> under, beside;
    std::vector<std::int32_t> values;
  };

  static int DecodeImcuRow(j_decompress_ptr info, JSAMPIMAGE output);
  void PlanMcuBlocks(const jpeg_decompress_struct& info);
  static void SelectiveDct(j_decompress_ptr info, jpeg_component_info* component,
                           JCOEFPTR coefficients, JSAMPARRAY output, JDIMENSION column);
  const std::uint8_t* SampleRow(const Component& c, std::int64_t row) const;

  std::vector<Component> components_;
  std::vector<JSAMPARRAY> slots_[kSlots];  // per slot: each component's rows
  std::vector<std::int32_t> columns_;
  JDIMENSION imcu_height_ = 0;
  JDIMENSION imcu_count_ = 0;
  bool ycc_ = false;

  // A single Huffman-coded scan is decoded here, MCU by MCU (DecodeImcuRow). Per
  // block of an MCU: its component, its place in the MCU, and for each MCU of a
  // row whether some sample reads its columns.
  struct McuBlock {
    std::size_t component = 0;
    std::size_t down = 0, across = 0;
    std::vector<std::uint8_t> columns_read;  // per MCU across
  };
  std::vector<McuBlock> mcu_blocks_;
  std::size_t mcus_across_ = 0;
  // The coefficients of the blocks being decoded; the library's vector transforms
  // read them aligned.
  alignas(32) JBLOCK coefficients_[D_MAX_BLOCKS_IN_MCU];
};

}  // namespace montrelle
