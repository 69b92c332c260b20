// The command line without a toolkit: which arguments start the program,
// which show the help or the version, and which are wrong, with their texts.
#include <gtest/gtest.h>

#include "shell/StartArguments.h"

namespace {

using Action = shell::StartArguments::Action;
using Args = std::vector<std::string>;

TEST(StartArguments, ArgumentsChooseStartHelpVersionOrUsageWithGermanTexts) {
  const std::tuple<Args, Action, std::string> cases[] = {
      {{}, Action::kStart, ""},         {{"C:\\Daten"}, Action::kStart, "C:\\Daten"},
      {{"-"}, Action::kStart, "-"},     {{"-h", "--version"}, Action::kHelp, ""},
      {{"/?"}, Action::kHelp, ""},      {{"--version", "x"}, Action::kVersion, "x"},
      {{"a", "b"}, Action::kUsageError, "a"},
      {{"--help", "--gibt-es-nicht"}, Action::kUsageError, ""},  // a wrong option beats help
  };
  for (const auto& [args, action, directory] : cases) {
    const auto got = shell::ParseStartArguments(args, "kolbrin");
    EXPECT_EQ(std::pair(got.action, got.directory), std::pair(action, directory)) << testing::PrintToString(args);
  }
  const auto firstLine = [](const Args& args) {
    const std::string text = shell::ParseStartArguments(args, "kolbrin").text;
    return text.substr(0, text.find('\n'));
  };
  EXPECT_EQ(firstLine({"--help"}), "Aufruf: kolbrin [Optionen] [VERZEICHNIS]");
  EXPECT_EQ(firstLine({"-v"}), "Kolbrin 1.0.0.5");
  EXPECT_EQ(firstLine({"--x"}), "Unbekannte Option „--x“.");
  EXPECT_EQ(firstLine({"a", "b"}), "kolbrin: Bitte höchstens ein Verzeichnis angeben.");
  const std::string help = shell::HelpText("kolbrin");
  EXPECT_NE(help.find("\nOptionen:\n  -h, --help, -?  Zeigt diese Hilfe an.\n"
                      "  -v, --version   Zeigt Versionsinformationen an.\n\n"
                      "Argumente:\n  VERZEICHNIS     Verzeichnis, das beim Start"),
            std::string::npos)
      << help;
}

}  // namespace
