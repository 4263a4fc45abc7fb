#include "support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/as_other_user.h"
#include "support/temp_dir.h"

namespace montrelle::testing {

void ExecProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& cwd, const ChildOptions& options) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const std::string& entry : options.environment) {
    const size_t equals = entry.find('=');
    setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
  }
  if ((!options.as_other_user || BecomeOtherUser()) && chdir(cwd.c_str()) == 0) {
    execv(program.c_str(), argv.data());
  }
  _exit(127);
}

int ExitStatus(int pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& cwd, const ChildOptions& options) {
  TempDir capture;
  const std::string out = capture / "out", err = capture / "err";
  const pid_t pid = fork();
  if (pid == 0) {
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) _exit(126);
    ExecProgram(program, arguments, cwd, options);
  }
  Outcome outcome;
  outcome.status = ExitStatus(pid);
  outcome.out = ReadBytes(out);
  outcome.err = ReadBytes(err);
  return outcome;
}

}  // namespace montrelle::testing
