// The parts of a desktop entry file that starting a program needs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform::posix {

struct DesktopEntry {
  std::string type;
  std::string exec;
  std::string tryExec;
  std::string name;
  std::string icon;
  std::vector<std::string> mimeTypes;
  bool hidden = false;
};

// Reads the group "[Desktop Entry]" of the file at path (keys in other
// groups and translated keys are ignored); false when the file cannot be
// read or has no such group.
bool ReadDesktopEntry(const std::filesystem::path& path, DesktopEntry& entry);

// True when program names an executable file, directly or through PATH.
bool IsExecutable(const std::string& program);

}  // namespace platform::posix
