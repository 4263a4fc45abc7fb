// How far a whole run is: what the progress bar shows.
//
// A make run counts its own pictures; a batch counts every folder's pictures, so
// that the bar runs once from the first folder to the last. A picture weighs one,
// shared equally by the image steps the gallery makes; a gallery without image
// steps counts its pictures when it ends.
#pragma once

#include <string>

namespace montrelle {

struct RunProgress {
  long long total = 0;  // pictures of the run; 0 when no run is counted
  double done = 0;      // pictures done, in shares of their image steps
  std::string batch;    // in a batch: "«folder» «n»/«m»"
  std::string step;     // the image step in work: "縮小画像", "メイン画像"

  // The count as the run keeps it (run_status.h).
  long long counted = 0;  // pictures of the galleries ended
  int steps = 0;          // image steps of the gallery in work
  int step_index = -1;
};

}  // namespace montrelle
