// The command line without a toolkit: which arguments start the program,
// which show the help or the version, and which are wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/StartArguments.h"

namespace {

using shell::ParseStartArguments;
using Action = shell::StartArguments::Action;

TEST(StartArguments, ArgumentsChooseStartHelpVersionOrUsage) {
  struct Case {
    std::vector<std::string> args;
    Action action;
    std::string directory;
  } cases[] = {
      {{}, Action::kStart, ""},
      {{"C:\\Daten"}, Action::kStart, "C:\\Daten"},
      {{"-"}, Action::kStart, "-"},  // a single dash is a name
      {{"--help"}, Action::kHelp, ""},
      {{"-h", "--version"}, Action::kHelp, ""},  // help wins
      {{"-?"}, Action::kHelp, ""},
      {{"/?"}, Action::kHelp, ""},
      {{"-v"}, Action::kVersion, ""},
      {{"--version", "x"}, Action::kVersion, "x"},
      {{"a", "b"}, Action::kUsageError, "a"},
      {{"--help", "--gibt-es-nicht"}, Action::kUsageError, ""},  // a wrong option beats help
  };
  for (const Case& c : cases) {
    const auto got = ParseStartArguments(c.args, "kolbrin");
    EXPECT_EQ(got.action, c.action) << testing::PrintToString(c.args);
    EXPECT_EQ(got.directory, c.directory) << testing::PrintToString(c.args);
  }
}

TEST(StartArguments, TextsAreGermanAndNameTheProgram) {
  const std::string help = shell::HelpText("kolbrin");
  EXPECT_EQ(help.substr(0, help.find('\n')), "Aufruf: kolbrin [Optionen] [VERZEICHNIS]");
  EXPECT_NE(help.find("\nOptionen:\n  -h, --help, -?  Zeigt diese Hilfe an.\n"), std::string::npos) << help;
  EXPECT_NE(help.find("\n  -v, --version   Zeigt Versionsinformationen an.\n"), std::string::npos) << help;
  EXPECT_NE(help.find("\nArgumente:\n  VERZEICHNIS     Verzeichnis, das beim Start"), std::string::npos) << help;
  EXPECT_EQ(shell::VersionText(), "Kolbrin 1.0.0.5\n");

  const auto unknown = ParseStartArguments(std::vector<std::string>{"--x"}, "kolbrin");
  EXPECT_EQ(unknown.text.substr(0, unknown.text.find('\n')), "Unbekannte Option „--x“.");
  EXPECT_NE(unknown.text.find("Aufruf: kolbrin"), std::string::npos);
  const auto many = ParseStartArguments(std::vector<std::string>{"a", "b"}, "kolbrin");
  EXPECT_EQ(many.text.substr(0, many.text.find('\n')), "kolbrin: Bitte höchstens ein Verzeichnis angeben.");
  EXPECT_EQ(shell::FormatArgs("%1 und %2, 100%", "a", "b"), "a und b, 100%");
}

}  // namespace
