#include "imaging/jpeg_raw_rows.h"

#include <algorithm>

#include "imaging/jpeg_private_layout.h"

namespace montrelle {
namespace {

// The library's fixed-point YCbCr to RGB conversion: 16 fraction bits, each
// product rounded as its tables round it.
constexpr long kOneHalf = 1L << 15;
constexpr long kCrToR = 91881;   // 1.40200
constexpr long kCbToB = 116130;  // 1.77200
constexpr long kCrToG = 46802;   // 0.71414
constexpr long kCbToG = 22554;   // 0.34414

std::uint8_t Clamped(long value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0L, 255L));
}

// Whether `factor` is the largest one or half of it; `twice` tells which.
bool FullOrHalf(int factor, int largest, bool& twice) {
  twice = factor * 2 == largest;
  return twice || factor == largest;
}

}  // namespace

bool RawRowsAreExact(const jpeg_decompress_struct& info) {
#ifndef LIBJPEG_TURBO_VERSION_NUMBER
  // Passing over an MCU with no blocks to fill is libjpeg-turbo's, not every
  // libjpeg's; elsewhere the whole decode stays.
  return false;
#endif
  // The buffers and transforms here hold 8-bit samples; a newer library also reads
  // pictures of 12 bits.
  if (info.data_precision != 8) return false;
  // Nor do lossless pictures, which a newer library reads too, have DCT blocks. Their
  // scans give a predictor where a sequential DCT scan gives the whole spectrum,
  // 0 to 63, and none of them is progressive.
  if (!info.progressive_mode && (info.Ss != 0 || info.Se != DCTSIZE2 - 1)) return false;
  const bool ycc = info.jpeg_color_space == JCS_YCbCr && info.num_components == 3;
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1;
  if (!ycc && !grey) return false;
  for (int c = 0; c < info.num_components; ++c) {
    bool twice = false;
    if (!FullOrHalf(info.comp_info[c].h_samp_factor, info.max_h_samp_factor, twice) ||
        !FullOrHalf(info.comp_info[c].v_samp_factor, info.max_v_samp_factor, twice)) {
      return false;
    }
  }
  return true;
}

RawRows::RawRows(const jpeg_decompress_struct& info, std::span<const std::int32_t> rows,
                 std::span<const std::int32_t> columns)
    : columns_(columns.begin(), columns.end()),
      imcu_height_(static_cast<JDIMENSION>(info.max_v_samp_factor) * DCTSIZE),
      imcu_count_(info.total_iMCU_rows),
      ycc_(info.num_components == 3) {
  const std::int64_t width = info.image_width;
  const std::int64_t height = info.image_height;
  // Whole MCUs across, as the library fills them.
  const std::int64_t mcus_across =
      (width + info.max_h_samp_factor * DCTSIZE - 1) / (info.max_h_samp_factor * DCTSIZE);
  components_.resize(static_cast<std::size_t>(info.num_components));
  for (int ci = 0; ci < info.num_components; ++ci) {
    const jpeg_component_info& stored = info.comp_info[ci];
    Component& c = components_[static_cast<std::size_t>(ci)];
    bool wide = false;
    bool tall = false;
    FullOrHalf(stored.h_samp_factor, info.max_h_samp_factor, wide);
    FullOrHalf(stored.v_samp_factor, info.max_v_samp_factor, tall);
    c.width = (width * stored.h_samp_factor + info.max_h_samp_factor - 1) / info.max_h_samp_factor;
    c.height =
        (height * stored.v_samp_factor + info.max_v_samp_factor - 1) / info.max_v_samp_factor;
    // The library blends across only over more than two samples; by height always.
    const bool blend = c.width > 2;
    if (wide && tall) {
      c.stretch = blend ? Stretch::kBothBlend : Stretch::kBothRepeat;
    } else if (wide) {
      c.stretch = blend ? Stretch::kWidthBlend : Stretch::kWidthRepeat;
    } else if (tall) {
      c.stretch = Stretch::kHeightBlend;
    }
    c.stride = static_cast<std::size_t>(mcus_across * stored.h_samp_factor * DCTSIZE);
    c.mcu_width = static_cast<std::size_t>(stored.h_samp_factor);
    c.mcu_height = static_cast<std::size_t>(stored.v_samp_factor);
    c.imcu_rows = static_cast<JDIMENSION>(stored.v_samp_factor) * DCTSIZE;
    c.samples.resize(c.stride * c.imcu_rows * kSlots);
    for (std::size_t r = 0; r < std::size_t{c.imcu_rows} * kSlots; ++r) {
      c.rows.push_back(c.samples.data() + r * c.stride);
    }
    for (JDIMENSION slot = 0; slot < kSlots; ++slot) {
      slots_[slot].push_back(c.rows.data() + std::size_t{slot} * c.imcu_rows);
    }

    // A sample at `at` of an output side reads the component's sample under it
    // and, when blended, the neighbours on both sides (the nearer one depends on
    // the parity, either may be needed).
    const auto mark = [](std::vector<std::uint8_t>& blocks, std::int64_t length, bool half,
                         bool blended, std::span<const std::int32_t> at) {
      blocks.assign(static_cast<std::size_t>((length + DCTSIZE - 1) / DCTSIZE), 0);
      const std::int64_t reach = blended ? 1 : 0;
      for (const std::int32_t position : at) {
        const std::int64_t sample = half ? position / 2 : position;
        for (std::int64_t s = std::max<std::int64_t>(sample - reach, 0);
             s <= std::min(sample + reach, length - 1); ++s) {
          blocks[static_cast<std::size_t>(s / DCTSIZE)] = 1;
        }
      }
    };
    mark(c.block_rows, c.height, tall,
         c.stretch == Stretch::kHeightBlend || c.stretch == Stretch::kBothBlend, rows);
    // Per sampled column: the sample under it and its second neighbour by width.
    for (const std::int32_t x : columns) {
      const std::int64_t k = wide ? x / 2 : x;
      c.under.push_back(static_cast<std::uint32_t>(k));
      c.beside.push_back(static_cast<std::uint32_t>(x % 2 == 0 ? std::max<std::int64_t>(k - 1, 0)
                                                               : std::min(k + 1, c.width - 1)));
    }
    c.values.resize(columns.size());
    mark(c.block_columns, c.width, wide,
         c.stretch == Stretch::kWidthBlend || c.stretch == Stretch::kBothBlend, columns);
  }
}

void RawRows::Attach(jpeg_decompress_struct& info) {
  // Where the samples read every block (main images), there is nothing to pass
  // over, and choosing would only cost.
  const auto all = [](const std::vector<std::uint8_t>& blocks) {
    return std::find(blocks.begin(), blocks.end(), 0) == blocks.end();
  };
  if (std::all_of(components_.begin(), components_.end(),
                  [&](const Component& c) { return all(c.block_rows) && all(c.block_columns); })) {
    return;
  }
  info.client_data = this;
  for (int ci = 0; ci < info.num_components; ++ci) {
    components_[static_cast<std::size_t>(ci)].library_dct = info.idct->inverse_DCT[ci];
  }
  // A single Huffman-coded scan is decoded row by row as the rows are read, which
  // lets us pass over the blocks no sample reads without working out and storing
  // their coefficients. Pictures of several scans were decoded whole when
  // decoding started (the scan fields then tell of the last one); only their
  // transform is chosen.
  if (!info.arith_code && !jpeg_has_multiple_scans(&info)) {
    PlanMcuBlocks(info);
    info.coef->decompress_data = &RawRows::DecodeImcuRow;
    return;
  }
  for (int ci = 0; ci < info.num_components; ++ci) {
    info.idct->inverse_DCT[ci] = &RawRows::SelectiveDct;
  }
}

void RawRows::PlanMcuBlocks(const jpeg_decompress_struct& info) {
  // An interleaved MCU holds v x h blocks of each component, in one row of MCUs
  // per iMCU row; an MCU of a single component is one block, in v rows of them.
  mcus_across_ = info.MCUs_per_row;
  for (int ci = 0; ci < info.comps_in_scan; ++ci) {
    const jpeg_component_info& stored = *info.cur_comp_info[ci];
    const auto component = static_cast<std::size_t>(stored.component_index);
    const Component& c = components_[component];
    for (int down = 0; down < stored.MCU_height; ++down) {
      for (int across = 0; across < stored.MCU_width; ++across) {
        McuBlock block{
            component, static_cast<std::size_t>(down), static_cast<std::size_t>(across), {}};
        for (std::size_t mcu = 0; mcu < mcus_across_; ++mcu) {
          const std::size_t column =
              mcu * static_cast<std::size_t>(stored.MCU_width) + block.across;
          block.columns_read.push_back(column < c.block_columns.size() ? c.block_columns[column]
                                                                       : 0);
        }
        mcu_blocks_.push_back(std::move(block));
      }
    }
  }
}

int RawRows::DecodeImcuRow(j_decompress_ptr info, JSAMPIMAGE output) {
  RawRows& self = *static_cast<RawRows*>(info->client_data);
  const JDIMENSION imcu = info->input_iMCU_row;
  const bool last = imcu + 1 == info->total_iMCU_rows;
  const jpeg_component_info& first = *info->cur_comp_info[0];
  const int mcu_rows = info->comps_in_scan > 1 ? 1
                       : last                  ? first.last_row_height
                                               : first.v_samp_factor;
  const std::size_t blocks = self.mcu_blocks_.size();
  JBLOCKROW pointers[D_MAX_BLOCKS_IN_MCU] = {};
  std::uint8_t rows_read[D_MAX_BLOCKS_IN_MCU] = {};
  for (int mcu_row = 0; mcu_row < mcu_rows; ++mcu_row) {
    // Which blocks of this row of MCUs lie in block rows some sample reads. Rows
    // past the picture's last block are in no sample's way.
    bool some_row = false;
    for (std::size_t b = 0; b < blocks; ++b) {
      const McuBlock& block = self.mcu_blocks_[b];
      const Component& c = self.components_[block.component];
      const std::size_t row =
          std::size_t{imcu} * c.mcu_height + static_cast<std::size_t>(mcu_row) + block.down;
      rows_read[b] = row < c.block_rows.size() ? c.block_rows[row] : 0;
      some_row = some_row || rows_read[b] != 0;
    }
    for (std::size_t mcu = 0; mcu < self.mcus_across_; ++mcu) {
      bool some = false;
      for (std::size_t b = 0; some_row && b < blocks; ++b) {
        const bool read = (rows_read[b] & self.mcu_blocks_[b].columns_read[mcu]) != 0;
        pointers[b] = read ? &self.coefficients_[b] : nullptr;
        if (read) std::fill(std::begin(self.coefficients_[b]), std::end(self.coefficients_[b]), 0);
        some = some || read;
      }
      // Memory input never suspends.
      info->entropy->decode_mcu(info, some ? pointers : nullptr);
      for (std::size_t b = 0; some && b < blocks; ++b) {
        if (pointers[b] == nullptr) continue;
        const McuBlock& block = self.mcu_blocks_[b];
        jpeg_component_info* stored = info->comp_info + block.component;
        const auto down = static_cast<std::size_t>(mcu_row) + block.down;
        const auto column = static_cast<JDIMENSION>(
            (mcu * static_cast<std::size_t>(stored->MCU_width) + block.across) * DCTSIZE);
        self.components_[block.component].library_dct(
            info, stored, self.coefficients_[b], output[block.component] + down * DCTSIZE, column);
      }
    }
  }
  info->output_iMCU_row++;
  if (++info->input_iMCU_row < info->total_iMCU_rows) return JPEG_ROW_COMPLETED;
  info->inputctl->finish_input_pass(info);
  return JPEG_SCAN_COMPLETED;
}

void RawRows::SelectiveDct(j_decompress_ptr info, jpeg_component_info* component,
                           JCOEFPTR coefficients, JSAMPARRAY output, JDIMENSION column) {
  const RawRows& self = *static_cast<const RawRows*>(info->client_data);
  const Component& c = self.components_[static_cast<std::size_t>(component->component_index)];
  // The block's rows lie in the slot of the iMCU row being decoded.
  const JDIMENSION imcu = info->output_iMCU_row;
  const std::size_t first_row =
      static_cast<std::size_t>(output - (c.rows.data() + std::size_t{imcu % kSlots} * c.imcu_rows));
  const std::size_t block_row = std::size_t{imcu} * (c.imcu_rows / DCTSIZE) + first_row / DCTSIZE;
  const std::size_t block_column = column / DCTSIZE;
  if (block_row < c.block_rows.size() && c.block_rows[block_row] &&
      block_column < c.block_columns.size() && c.block_columns[block_column]) {
    c.library_dct(info, component, coefficients, output, column);
  }
}

JDIMENSION RawRows::ImcuRowsFor(std::int32_t row) const {
  return std::min(static_cast<JDIMENSION>(row) / imcu_height_ + 2, imcu_count_);
}

const std::uint8_t* RawRows::SampleRow(const Component& c, std::int64_t row) const {
  const auto r = static_cast<std::size_t>(row);
  return c.rows[(r / c.imcu_rows) % kSlots * c.imcu_rows + r % c.imcu_rows];
}

void RawRows::MakeRow(std::int32_t row, std::uint8_t* pixels) {
  // Per component: the row under `row` and the next nearest one by height, which
  // is the row above for an even row and the row below for an odd one.
  const bool above = row % 2 == 0;
  const std::size_t count = columns_.size();
  for (Component& c : components_) {
    const bool tall = c.stretch == Stretch::kHeightBlend || c.stretch == Stretch::kBothBlend ||
                      c.stretch == Stretch::kBothRepeat;
    const std::int64_t at = tall ? row / 2 : row;
    const std::uint8_t* s = SampleRow(c, at);
    const std::uint8_t* n =
        SampleRow(c, above ? std::max<std::int64_t>(at - 1, 0) : std::min(at + 1, c.height - 1));
    const std::uint32_t* under = c.under.data();
    const std::uint32_t* beside = c.beside.data();
    std::int32_t* out = c.values.data();
    // The second neighbour by width is the one on the left of an even column,
    // on the right of an odd one; rounding differs between the two.
    const auto odd = [&](std::size_t i) { return columns_[i] & 1; };
    switch (c.stretch) {
      case Stretch::kNone:
      case Stretch::kWidthRepeat:
      case Stretch::kBothRepeat:
        for (std::size_t i = 0; i < count; ++i) out[i] = s[under[i]];
        break;
      case Stretch::kWidthBlend:
        for (std::size_t i = 0; i < count; ++i) {
          out[i] = (3 * s[under[i]] + s[beside[i]] + 1 + odd(i)) >> 2;
        }
        break;
      case Stretch::kHeightBlend:
        for (std::size_t i = 0; i < count; ++i) {
          out[i] = (3 * s[under[i]] + n[under[i]] + (above ? 1 : 2)) >> 2;
        }
        break;
      case Stretch::kBothBlend:
        for (std::size_t i = 0; i < count; ++i) {
          const std::int32_t here = 3 * s[under[i]] + n[under[i]];
          const std::int32_t side = 3 * s[beside[i]] + n[beside[i]];
          out[i] = (3 * here + side + 8 - odd(i)) >> 4;
        }
        break;
    }
  }
  const std::int32_t* luma = components_[0].values.data();
  if (!ycc_) {
    for (std::size_t i = 0; i < count; ++i) {
      std::uint8_t* to = pixels + static_cast<std::size_t>(columns_[i]) * 3;
      to[0] = to[1] = to[2] = static_cast<std::uint8_t>(luma[i]);
    }
    return;
  }
  const std::int32_t* blue = components_[1].values.data();
  const std::int32_t* red = components_[2].values.data();
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t* to = pixels + static_cast<std::size_t>(columns_[i]) * 3;
    const long y = luma[i];
    const long cb = blue[i] - 128;
    const long cr = red[i] - 128;
    to[0] = Clamped(y + ((kCrToR * cr + kOneHalf) >> 16));
    to[1] = Clamped(y + ((-kCbToG * cb + kOneHalf - kCrToG * cr) >> 16));
    to[2] = Clamped(y + ((kCbToB * cb + kOneHalf) >> 16));
  }
}

}  // namespace montrelle
