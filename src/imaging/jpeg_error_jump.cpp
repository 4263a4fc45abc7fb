#include "imaging/jpeg_error_jump.h"

namespace montrelle {
namespace {

// The manager is the first member of JpegErrorJump, so the library's pointer to it
// is a pointer to the whole struct.
[[noreturn]] void JumpOut(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
}

void DropMessage(j_common_ptr, int) {}

void DropOutput(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InstallErrorJump(JpegErrorJump& error) {
  jpeg_std_error(&error.manager);
  error.manager.error_exit = JumpOut;
  error.manager.emit_message = DropMessage;
  error.manager.output_message = DropOutput;
  return &error.manager;
}

}  // namespace montrelle
