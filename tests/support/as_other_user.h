// Runs a check in a child process under an unprivileged user, so that permission
// tests mean something also when the suite runs as root (as CI does).
#pragma once

#include <functional>

namespace montrelle::testing {

// The child's exit code of `check` (0 = passed); -1 when the child could not run.
int RunAsOtherUser(const std::function<int()>& check);

// In a child process: when running as root, becomes the user and group "nobody"
// (65534) without any supplementary group; otherwise stays who it is. False when
// the switch failed.
bool BecomeOtherUser();

}  // namespace montrelle::testing
