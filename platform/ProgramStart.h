// Starting a program that runs on its own.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A started program. It is not waited for, and it keeps running when this
// object goes or the program that started it ends.
class StartedProgram {
 public:
  virtual ~StartedProgram() = default;
  // A descriptor that becomes readable once the program has ended; -1 when
  // the system offers none.
  virtual int EndNotifier() const = 0;
  // Its exit status once it has ended (a signal counts as a failure; a
  // status nobody can read any more as 0); nothing while it runs.
  virtual std::optional<int> ExitStatus() = 0;
};

// Starts argv[0], searched in PATH, with the arguments argv, in a session of
// its own and with input from the null device. Null, with the errno value in
// error, when the program cannot be started.
std::unique_ptr<StartedProgram> StartProgram(const std::vector<std::string>& argv, int& error);

}  // namespace platform
