// The stop of a run the user asks for (a button, a key, a signal) while it works.
//
// The run looks at the request between pictures only, so that every file it
// writes is whole. It ends then by throwing RunStopped, which unwinds it exactly as
// an error does: whatever a run does when it stops on an error, it does on a stop.
// The caller says "中止しました" in place of the error.
#pragma once

#include <atomic>

#include "platform/app_error.h"

namespace montrelle {

class StopRequest {
 public:
  // Safe to call from a signal handler and from any thread.
  void Request() noexcept { requested_.store(true, std::memory_order_relaxed); }
  // Done by whoever starts a run, so that an old request does not stop it.
  void Clear() noexcept { requested_.store(false, std::memory_order_relaxed); }
  bool Requested() const noexcept { return requested_.load(std::memory_order_relaxed); }

 private:
  static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
  std::atomic<bool> requested_ = false;
};

class RunStopped : public AppError {
 public:
  RunStopped() : AppError("中止しました") {}
};

// Throws RunStopped when a stop was asked for.
inline void StopIfRequested(const StopRequest& stop) {
  if (stop.Requested()) throw RunStopped();
}

}  // namespace montrelle
