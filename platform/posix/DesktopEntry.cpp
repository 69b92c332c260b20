#include "platform/posix/DesktopEntry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace platform::posix {

namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

std::vector<std::string> SplitList(std::string_view value) {
  std::vector<std::string> items;
  while (!value.empty()) {
    const std::size_t end = value.find(';');
    if (end != 0) items.emplace_back(value.substr(0, end));
    if (end == std::string_view::npos) break;
    value.remove_prefix(end + 1);
  }
  return items;
}

void Assign(DesktopEntry& entry, std::string_view key, std::string_view value) {
  if (key == "Type") entry.type = value;
  else if (key == "Exec") entry.exec = value;
  else if (key == "TryExec") entry.tryExec = value;
  else if (key == "Name") entry.name = value;
  else if (key == "Icon") entry.icon = value;
  else if (key == "MimeType") entry.mimeTypes = SplitList(value);
  else if (key == "Hidden") entry.hidden = value == "true";
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

bool ReadDesktopEntry(const std::filesystem::path& path, DesktopEntry& entry) {
  std::ifstream in(path);
  if (!in) return false;
  bool inGroup = false;
  bool found = false;
  for (std::string line; std::getline(in, line);) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '#') continue;
    if (text.front() == '[') {
      inGroup = text == "[Desktop Entry]";
      found = found || inGroup;
      continue;
    }
    const std::size_t equals = text.find('=');
    if (!inGroup || equals == std::string_view::npos) continue;
    Assign(entry, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)));
  }
  return found;
}

bool IsExecutable(const std::string& program) {
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) return IsExecutableFile(program);
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  for (;;) {
    const std::size_t end = dirs.find(':');
    const std::string dir(dirs.substr(0, end));
    if (IsExecutableFile((dir.empty() ? "." : dir) + "/" + program)) return true;
    if (end == std::string_view::npos) return false;
    dirs.remove_prefix(end + 1);
  }
}

}  // namespace platform::posix
