// Running a built program in a child process, for end-to-end tests of the command.
#pragma once

#include <string>
#include <vector>

namespace montrelle::testing {

struct ChildOptions {
  // "NAME=VALUE" entries set in the child's environment before it starts.
  std::vector<std::string> environment;
  // Run as the unprivileged user when the suite runs as root (see as_other_user.h).
  bool as_other_user = false;
};

struct Outcome {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out, err;
};

// Runs `program` with `arguments` in the folder `cwd`, standard output and error
// caught.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& cwd, const ChildOptions& options = {});

// In a forked child: takes on `options`, goes to `cwd` and replaces the child with
// `program`; exits with 127 when that fails.
[[noreturn]] void ExecProgram(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& cwd, const ChildOptions& options = {});

// Waits for the child `pid`; its exit status, or -1 when it did not exit normally.
int ExitStatus(int pid);

}  // namespace montrelle::testing
