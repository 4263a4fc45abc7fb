#include "support/as_other_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace montrelle::testing {

bool BecomeOtherUser() {
  if (getuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
}

int RunAsOtherUser(const std::function<int()>& check) {
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (!BecomeOtherUser()) _exit(120);
    _exit(check());
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace montrelle::testing
