#include "framework/win32/TypedSearch.h"

#include "framework/win32/ModalWait.h"

namespace fw::win32 {

bool CTypedSearch::Searches(WPARAM ch, LPARAM keyData) {
  if (ch < 0x20 || ch == 0x7F) return false;
  const auto scan = static_cast<UINT>((keyData >> 16) & 0xFF);
  for (const UINT vk : {VK_ADD, VK_SUBTRACT, VK_MULTIPLY}) {
    if (scan != 0 && scan == ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) return false;
  }
  return true;
}

// Twice the double-click time (a second unless the user set it), so that
// who clicks slowly may type slowly too.
std::uint64_t CTypedSearch::Interval() { return 2ull * ::GetDoubleClickTime(); }

int CTypedSearch::Type(wchar_t ch, int count, int current, const std::function<std::wstring(int)>& nameOf) {
  const fw::CIncrementalSearch::Step step =
      m_search.Type(std::u16string(1, static_cast<char16_t>(ch)), m_wait.KeyTime(), Interval(), current >= 0);
  const std::wstring text(step.text.begin(), step.text.end());
  const int start = current < 0 ? 0 : current + (step.fromNext ? 1 : 0);
  return fw::CIncrementalSearch::FindFrom(count, start, [&](int i) {
    const std::wstring name = nameOf(i);
    return name.size() >= text.size() &&
           ::CompareStringOrdinal(name.c_str(), static_cast<int>(text.size()), text.c_str(),
                                  static_cast<int>(text.size()), TRUE) == CSTR_EQUAL;
  });
}

}  // namespace fw::win32
