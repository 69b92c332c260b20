#include "tests/win32/gui/TestWindows.h"

namespace win32test {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;

CHostWindow::CHostWindow() { Create(nullptr, L"Test", WS_OVERLAPPEDWINDOW); }

const MessageMap* CHostWindow::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CHostWindow::OnCommand>(WM_COMMAND)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

CModalWatcher::CModalWatcher(std::function<void(HWND)> act) : m_act(std::move(act)) {
  Create(HWND_MESSAGE, L"", 0);
  ::SetTimer(m_hWnd, 1, 20, nullptr);
}

CModalWatcher::~CModalWatcher() { ::KillTimer(m_hWnd, 1); }

const MessageMap* CModalWatcher::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CModalWatcher::OnTimer>(WM_TIMER)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

LRESULT CModalWatcher::OnTimer(WPARAM, LPARAM) {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        if (ClassOf(hwnd) != L"#32770" || !::IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  if (found != nullptr && m_act) {
    ::KillTimer(m_hWnd, 1);
    auto act = std::move(m_act);
    act(found);
  }
  return 0;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  for (HWND h = ::GetWindow(parent, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
  return out;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = {};
  ::GetWindowTextW(hwnd, text, 512);
  return text;
}

void PostKey(HWND hwnd, UINT vk) {
  ::PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
  ::PostMessageW(hwnd, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

}  // namespace win32test
