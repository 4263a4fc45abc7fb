#include "support/as_other_user.h"

#include <sys/wait.h>
#include <unistd.h>

namespace montrelle::testing {

int RunAsOtherUser(const std::function<int()>& check) {
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(120);
    _exit(check());
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace montrelle::testing
