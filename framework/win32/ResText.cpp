#include "framework/win32/ResText.h"

#include "framework/StringTable.h"
#include "platform/win32/Utf16.h"

namespace fw::win32 {

using platform::win32::Widen;

std::wstring ResText(res::Id id) { return Widen(LoadResString(id)); }
std::wstring PromptResText(res::Id id) { return Widen(PromptText(id)); }
std::wstring TooltipResText(res::Id id) { return Widen(TooltipText(id)); }

}  // namespace fw::win32
