// The batch run's program-wide flags, shared by the batch window and every make
// run it starts; the run reads them and clears `macro_first` only.
#pragma once

#include <string>

namespace montrelle {

struct BatchState {
  // The batch window is open: the run asks nothing and shows no end message.
  bool macro_mode = false;
  // Set when a batch starts; the first QRV list write of the batch creates the
  // file anew and clears it, later writes append.
  bool macro_first = false;
  // The batch's output folder, where the batch's one QRV list file lies.
  std::string batch_root;
};

}  // namespace montrelle
