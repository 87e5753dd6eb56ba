#include "support/plain_user_posix.h"

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace zeb::testing_support {

namespace {

constexpr uid_t NobodyFallback = 65534;

}  // namespace

std::optional<std::string> RunAsPlainUser(const std::function<std::string()>& body) {
  // Looked up before the fork: the child does only what it must.
  uid_t uid = NobodyFallback;
  gid_t gid = NobodyFallback;
  if (const passwd* nobody = getpwnam("nobody")) {
    uid = nobody->pw_uid;
    gid = nobody->pw_gid;
  }
  const bool root = geteuid() == 0;

  int pipeFds[2];
  if (pipe(pipeFds) != 0) return std::nullopt;
  pid_t child = fork();
  if (child < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return std::nullopt;
  }
  if (child == 0) {
    close(pipeFds[0]);
    if (root) {
      if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0 || geteuid() == 0) _exit(125);
      // A process that changed its user may not read its own /proc files,
      // which the sanitizers do.
      prctl(PR_SET_DUMPABLE, 1);
    }
    std::string text = body();
    for (std::size_t done = 0; done < text.size();) {
      ssize_t count = write(pipeFds[1], text.data() + done, text.size() - done);
      if (count < 0 && errno == EINTR) continue;
      if (count <= 0) _exit(124);
      done += static_cast<std::size_t>(count);
    }
    _exit(0);  // no test framework at its end: this is the child
  }
  close(pipeFds[1]);
  std::string text;
  char buffer[4096];
  for (;;) {
    ssize_t count = read(pipeFds[0], buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    text.append(buffer, static_cast<std::size_t>(count));
  }
  close(pipeFds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return text;
}

}  // namespace zeb::testing_support
