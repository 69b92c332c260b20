// The programs the user's desktop opens files with.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A program as the desktop describes it.
struct DesktopProgram {
  std::string id;       // the desktop's name for it, e.g. "org.example.Sheets.desktop"
  std::string path;     // the file that describes it
  std::string command;  // its command line, with the places for files marked
  std::string name;
  std::string icon;
};

// The desktop's default program for files of mimeType, as the user and the
// system have set it up; nothing when there is none.
std::optional<DesktopProgram> FindDefaultProgram(std::string_view mimeType);

// The program and its arguments that open file with program; beforeFile
// go just before the file. Empty when the command line cannot be read.
std::vector<std::string> CommandLineFor(const DesktopProgram& program,
                                        const std::vector<std::string>& beforeFile,
                                        const std::string& file);

}  // namespace platform
