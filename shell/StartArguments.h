// The command line without a toolkit: kolbrin [VERZEICHNIS], --help
// (-h, -?) and --version (-v), with their German texts. A front end that
// has no console shows the texts in a message box.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace shell {

struct StartArguments {
  enum class Action { kStart, kHelp, kVersion, kUsageError };
  Action action = Action::kStart;
  std::string directory;  // as given; empty for none
  std::string text;       // help, version, or the error followed by the help
};

// The arguments after the program's name.
StartArguments ParseStartArguments(std::span<const std::string> args, std::string_view program);

std::string HelpText(std::string_view program);
std::string VersionText();

// A resource text with %1 (and %2) replaced.
std::string FormatArgs(std::string_view text, std::string_view arg1, std::string_view arg2 = {});

}  // namespace shell
