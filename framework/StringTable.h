// Strings from the resource string table, and printf-style formatting of them.
#pragma once

#include <string>
#include <string_view>

#include "res/resource.h"

namespace fw {

// The text of a string resource; empty when the id is missing.
std::string_view LoadResString(res::Id id);

// The status-bar prompt (before "\n") and the tooltip (after it).
std::string_view PromptText(res::Id id);
std::string_view TooltipText(res::Id id);

// printf-style formatting into a std::string.
std::string FormatV(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fw
