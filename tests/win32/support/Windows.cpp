#include "tests/win32/support/Windows.h"

namespace win32test {

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  ::EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[2048] = {};
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

void PostKey(HWND hwnd, UINT vk, bool system) {
  const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  ::PostMessageW(hwnd, system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1 | scan);
  ::PostMessageW(hwnd, system ? WM_SYSKEYUP : WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u) | scan);
}

}  // namespace win32test
