// Reads the text of /proc/self/mountinfo into MountEntry records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/MountEntry.h"

namespace platform::posix {

class MountInfoParser {
 public:
  // Entries in the order of the table (later lines were mounted later).
  // Malformed lines are skipped.
  static std::vector<MountEntry> Parse(std::string_view text);

  // Decodes the kernel's "\ooo" octal escapes ("\040" is a space).
  static std::string DecodeEscapes(std::string_view field);

  // True when the option list "a,b=c,d" holds the option name exactly.
  static bool HasOption(std::string_view options, std::string_view name);

 private:
  static bool ParseLine(std::string_view line, MountEntry& out);
};

}  // namespace platform::posix
