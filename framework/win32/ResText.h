// Resource strings as the W functions take them.
#pragma once

#include <string>

#include "res/resource.h"

namespace fw::win32 {

std::wstring ResText(res::Id id);
// The status-bar prompt of a command (before "\n") and its tooltip (after).
std::wstring PromptResText(res::Id id);
std::wstring TooltipResText(res::Id id);

}  // namespace fw::win32
