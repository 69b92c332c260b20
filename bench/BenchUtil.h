// What the benchmarks share: timing, running a command-line tool for
// comparison, and reading the rounds argument.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// One run of a tool with its output (and, unless told, its errors) thrown
// away: the seconds it took, or -1 when it could not run or failed.
inline double TimeTool(std::vector<std::string> args, bool keepErrors = false) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  if (!keepErrors) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto start = Clock::now();
  pid_t pid = 0;
  int status = 0;
  const bool ran = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                   waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  const auto end = Clock::now();
  posix_spawn_file_actions_destroy(&actions);
  return ran ? Seconds(end - start) : -1.0;
}

// The rounds argument at argv[index], at least one; five when not given.
inline int Rounds(int argc, char** argv, int index = 2) {
  return argc > index ? std::max(1, std::atoi(argv[index])) : 5;
}

// The directory argument every benchmark takes first; prints the usage line
// and gives false when it is missing. Also puts Qt on its offscreen platform
// before the application object is made.
inline bool StartArguments(int argc, char** argv, const char* usage) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
    return false;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return true;
}

}  // namespace bench
