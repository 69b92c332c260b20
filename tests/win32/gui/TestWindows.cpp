#include "tests/win32/gui/TestWindows.h"

#include <chrono>
#include <utility>

namespace win32test {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;

const MessageMap* CHostWindow::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CHostWindow::OnCommand>(WM_COMMAND)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

CModalWatcher::CModalWatcher(std::function<void(HWND)> act) : m_act(std::move(act)) {
  Create(HWND_MESSAGE, L"", 0);
  ::SetTimer(m_hWnd, 1, 20, nullptr);
}

const MessageMap* CModalWatcher::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CModalWatcher::OnTimer>(WM_TIMER)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

// The box a modal loop of this thread shows is this thread's active window.
LRESULT CModalWatcher::OnTimer(WPARAM, LPARAM) {
  const HWND box = ::GetActiveWindow();
  if (box == nullptr || ClassOf(box) != L"#32770" || !m_act) return 0;
  ::KillTimer(m_hWnd, 1);
  std::exchange(m_act, nullptr)(box);
  return 0;
}

std::array<LONG, 4> EdgesInParent(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

bool PumpUntil(const std::function<bool()>& pred, const fw::win32::CDialog* dialog) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    for (MSG msg{}; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
      if (dialog != nullptr && dialog->PreTranslateMessage(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

}  // namespace win32test
