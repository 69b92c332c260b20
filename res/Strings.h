// The German string table: every text the user sees that is not part of a
// menu or dialog template.
#pragma once

#include <span>
#include <string_view>

#include "res/resource.h"

namespace res {

struct StringEntry {
  Id id;
  std::string_view text;  // UTF-8
};

std::span<const StringEntry> StringTable();

}  // namespace res
