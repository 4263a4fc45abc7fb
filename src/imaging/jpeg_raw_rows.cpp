#include "imaging/jpeg_raw_rows.h"

#include <algorithm>

// The library's inverse DCT module as libjpeg has laid it out since its first
// releases (jpegint.h, which the development package does not install): the
// start of an output pass, then one transform per component, chosen when
// decoding starts and looked up again for every block.
struct jpeg_inverse_dct {
  void (*start_pass)(j_decompress_ptr);
  void (*inverse_DCT[MAX_COMPONENTS])(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY,
                                      JDIMENSION);
};

// Likewise the entropy decoder: the start of a scan, then the decoding of one MCU
// into its blocks' coefficients, or, handed no blocks, past it.
struct jpeg_entropy_decoder {
  void (*start_pass)(j_decompress_ptr);
  boolean (*decode_mcu)(j_decompress_ptr, JBLOCKROW*);
  boolean insufficient_data;
};

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
    info.idct->inverse_DCT[ci] = &RawRows::SelectiveDct;
  }
  // A single Huffman-coded scan is decoded MCU by MCU as the rows are read; those
  // whose blocks no sample reads are passed over as jpeg_skip_scanlines passes
  // them, which saves working out and storing their coefficients. Pictures of
  // several scans were decoded whole when decoding started.
  if (!info.arith_code && !info.progressive_mode && info.comps_in_scan == info.num_components) {
    mcus_across_ = info.MCUs_per_row;
    interleaved_ = info.comps_in_scan > 1;
    library_decode_ = info.entropy->decode_mcu;
    info.entropy->decode_mcu = &RawRows::SelectiveDecode;
  }
}

boolean RawRows::SelectiveDecode(j_decompress_ptr info, JBLOCKROW* blocks) {
  RawRows& self = *static_cast<RawRows*>(info->client_data);
  // The MCUs of an iMCU row come left to right, row after row.
  if (info->input_iMCU_row != self.decoding_imcu_) {
    self.decoding_imcu_ = info->input_iMCU_row;
    self.mcu_ = 0;
    self.ChooseMcus(info->input_iMCU_row);
  }
  const std::size_t at = self.mcu_++;
  const bool needed = at >= self.mcu_needed_.size() || self.mcu_needed_[at] != 0;
  return self.library_decode_(info, needed ? blocks : nullptr);
}

void RawRows::ChooseMcus(std::size_t imcu) {
  // An interleaved MCU holds v x h blocks of each component, in one row of MCUs
  // per iMCU row; an MCU of a single component is one block, in v rows of them.
  const std::size_t mcu_rows = interleaved_ ? 1 : components_.front().mcu_height;
  mcu_needed_.assign(mcus_across_ * mcu_rows, 0);
  for (std::size_t at = 0; at < mcu_needed_.size(); ++at) {
    for (const Component& c : components_) {
      const std::size_t down = interleaved_ ? c.mcu_height : 1;
      const std::size_t across = interleaved_ ? c.mcu_width : 1;
      const std::size_t first_row = imcu * c.mcu_height + at / mcus_across_;
      const std::size_t first_column = at % mcus_across_ * across;
      for (std::size_t r = first_row; r < std::min(first_row + down, c.block_rows.size()); ++r) {
        for (std::size_t b = first_column;
             b < std::min(first_column + across, c.block_columns.size()); ++b) {
          mcu_needed_[at] |= c.block_rows[r] & c.block_columns[b];
        }
      }
    }
  }
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
