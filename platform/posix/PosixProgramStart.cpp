#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/ProgramStart.h"

extern char** environ;

namespace platform {

namespace {

class SpawnedProgram : public StartedProgram {
 public:
  SpawnedProgram(pid_t pid, int pidfd) : m_pid(pid), m_pidfd(pidfd) {}
  // Closing the descriptor leaves the program running; one that has already
  // ended is reaped.
  ~SpawnedProgram() override {
    if (!m_reaped) ExitStatus();
    if (m_pidfd >= 0) ::close(m_pidfd);
  }
  SpawnedProgram(const SpawnedProgram&) = delete;
  SpawnedProgram& operator=(const SpawnedProgram&) = delete;

  int EndNotifier() const override { return m_pidfd; }

  std::optional<int> ExitStatus() override {
    if (m_reaped) return m_status;
    int status = 0;
    const pid_t result = ::waitpid(m_pid, &status, WNOHANG);
    if (result == 0) return std::nullopt;
    m_reaped = true;
    if (result == m_pid) {
      m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return m_status;
  }

 private:
  pid_t m_pid;
  int m_pidfd;
  bool m_reaped = false;
  int m_status = 0;
};

// Closes what posix_spawn needs to be set up.
struct SpawnSetup {
  posix_spawn_file_actions_t actions{};
  posix_spawnattr_t attributes{};
  SpawnSetup() {
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

std::unique_ptr<StartedProgram> StartProgram(const std::vector<std::string>& argv, int& error) {
  error = 0;
  if (argv.empty()) {
    error = ENOENT;
    return nullptr;
  }
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  SpawnSetup setup;
  // Input from the null device, none of this program's other descriptors.
  ::posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);
  // Its own session, so that closing this program's terminal does not end
  // it, with no blocked signals and default handlers.
  sigset_t none;
  sigset_t all;
  ::sigemptyset(&none);
  ::sigfillset(&all);
  ::posix_spawnattr_setsigmask(&setup.attributes, &none);
  ::posix_spawnattr_setsigdefault(&setup.attributes, &all);
  ::posix_spawnattr_setflags(&setup.attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  error = ::posix_spawnp(&pid, args[0], &setup.actions, &setup.attributes, args.data(), environ);
  if (error != 0) return nullptr;
  // A descriptor that tells when the program ends (Linux 5.3 and later).
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0u));
  return std::make_unique<SpawnedProgram>(pid, pidfd < 0 ? -1 : pidfd);
}

}  // namespace platform
