#include "shell/StartArguments.h"

#include <algorithm>
#include <array>

#include "framework/StringTable.h"

namespace shell {

namespace {
using fw::LoadResString;

// One line of the help: the name, padded, then what it does.
std::string Row(std::string_view name, std::string_view help, std::size_t width) {
  std::string row = "  ";
  row += name;
  row.append(width - name.size() + 2, ' ');
  row += help;
  return row + "\n";
}
}  // namespace

std::string FormatArgs(std::string_view text, std::string_view arg1, std::string_view arg2) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      out += text[++i] == '1' ? arg1 : arg2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string HelpText(std::string_view program) {
  const std::string_view directory = LoadResString(IDS_CMDLINE_DIRECTORY);
  const std::array<std::string_view, 3> names = {"-h, --help, -?", "-v, --version", directory};
  std::size_t width = 0;
  for (const auto n : names) width = std::max(width, n.size());
  std::string text = FormatArgs(LoadResString(IDS_CMDLINE_USAGE), program, directory) + "\n";
  text += std::string(LoadResString(IDS_CMDLINE_DESCRIPTION)) + "\n\n";
  text += std::string(LoadResString(IDS_CMDLINE_OPTIONS)) + "\n";
  text += Row(names[0], LoadResString(IDS_CMDLINE_HELP), width);
  text += Row(names[1], LoadResString(IDS_CMDLINE_VERSION), width);
  text += "\n" + std::string(LoadResString(IDS_CMDLINE_ARGUMENTS)) + "\n";
  text += Row(names[2], LoadResString(IDS_CMDLINE_DIRECTORY_HELP), width);
  return text;
}

std::string VersionText() { return std::string(LoadResString(AFX_IDS_APP_TITLE)) + " " KOLBRIN_VERSION "\n"; }

StartArguments ParseStartArguments(std::span<const std::string> args, std::string_view program) {
  StartArguments start;
  bool help = false;
  bool version = false;
  int positional = 0;
  std::string error;
  for (const std::string& a : args) {
    if (a == "-h" || a == "--help" || a == "-?" || a == "/?") {
      help = true;
    } else if (a == "-v" || a == "--version") {
      version = true;
    } else if (a.size() > 1 && a[0] == '-') {
      if (error.empty()) error = FormatArgs(LoadResString(IDS_CMDLINE_UNKNOWN_OPTION), a);
    } else if (++positional == 1) {
      start.directory = a;
    }
  }
  if (error.empty() && positional > 1) error = LoadResString(IDS_CMDLINE_TOO_MANY);
  if (!error.empty()) {
    start.action = StartArguments::Action::kUsageError;
    start.text = error + "\n" + HelpText(program);
  } else if (help) {
    start.action = StartArguments::Action::kHelp;
    start.text = HelpText(program);
  } else if (version) {
    start.action = StartArguments::Action::kVersion;
    start.text = VersionText();
  }
  return start;
}

}  // namespace shell
