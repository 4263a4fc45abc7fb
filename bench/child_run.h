// Runs a piece of work in a child process, so that its peak memory can be read
// apart from everything else: the benchmark's own process stays small and starts
// no thread, and each side of the comparison starts from the same state.
#pragma once

#include <functional>

namespace montrelle::bench {

struct ChildOutcome {
  bool ok = false;          // the work returned without throwing
  double seconds = 0;       // wall time of the work, measured in the child
  long peak_kilobytes = 0;  // the child's maximum resident set size
};

// Forks; the child runs `work`, reports its time and ends. Messages of a failure go
// to standard error.
ChildOutcome RunInChild(const std::function<void()>& work);

}  // namespace montrelle::bench
