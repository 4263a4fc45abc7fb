// Four of libjpeg-turbo's private structs, declared here as far as the raw row
// reader (jpeg_raw_rows.cpp) uses them and no further: a member is listed when it
// is used or when it stands before a used one, so members added after them do not
// matter. Internal to the JPEG decoder. The library's own jpegint.h is not included:
// it is no public interface, and the whole of it would hide which members the
// reader relies on.
//
// The layout follows jpegint.h of libjpeg-turbo 2.1.5 (Debian 12's libjpeg62-turbo,
// checked against its installed header) and has been the same for these members
// since 1.5, the oldest release the package's dependency admits. The soname does not
// version these structs, so nothing guarantees them for the library actually loaded:
// the decoder uses them only after a self-check of that library
// (jpeg_decoder_choice.h) and reads with scanlines when it fails.
#pragma once

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

// The inverse DCT module: one transform per component, chosen when decoding
// starts and looked up again for every block.
struct jpeg_inverse_dct {
  void (*start_pass)(j_decompress_ptr);
  void (*inverse_DCT[MAX_COMPONENTS])(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY,
                                      JDIMENSION);
};

// The entropy decoder: the decoding of one MCU into its blocks' coefficients;
// libjpeg-turbo passes over a block whose pointer is null, and over the whole MCU
// when handed none.
struct jpeg_entropy_decoder {
  void (*start_pass)(j_decompress_ptr);
  boolean (*decode_mcu)(j_decompress_ptr, JBLOCKROW*);
};

// The coefficient controller, whose last step makes an iMCU row's samples from
// the data.
struct jpeg_d_coef_controller {
  void (*start_input_pass)(j_decompress_ptr);
  int (*consume_data)(j_decompress_ptr);
  void (*start_output_pass)(j_decompress_ptr);
  int (*decompress_data)(j_decompress_ptr, JSAMPIMAGE);
};

// The input controller, told when the scan's data has been read.
struct jpeg_input_controller {
  int (*consume_input)(j_decompress_ptr);
  void (*reset_input_controller)(j_decompress_ptr);
  void (*start_input_pass)(j_decompress_ptr);
  void (*finish_input_pass)(j_decompress_ptr);
};
