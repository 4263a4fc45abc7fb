#include "bench/child_run.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace montrelle::bench {

ChildOutcome RunInChild(const std::function<void()>& work) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("pipe failed");
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    close(channel[0]);
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    try {
      work();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s\n", error.what());
      status = 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool written = write(channel[1], &seconds, sizeof seconds) == sizeof seconds;
    std::fflush(nullptr);
    _exit(written ? status : 1);
  }
  close(channel[1]);
  ChildOutcome outcome;
  const bool read_back = read(channel[0], &outcome.seconds, sizeof outcome.seconds) ==
                         static_cast<ssize_t>(sizeof outcome.seconds);
  close(channel[0]);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) throw std::runtime_error("wait4 failed");
  outcome.ok = read_back && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  outcome.peak_kilobytes = usage.ru_maxrss;
  return outcome;
}

}  // namespace montrelle::bench
