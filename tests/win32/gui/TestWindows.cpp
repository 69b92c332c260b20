#include "tests/win32/gui/TestWindows.h"

#include <algorithm>
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

CModalWatcher::CModalWatcher(std::vector<std::function<void(HWND)>> acts) : m_acts(std::move(acts)) {
  std::reverse(m_acts.begin(), m_acts.end());
  Create(HWND_MESSAGE, L"", 0);
  ::SetTimer(m_hWnd, 1, 20, nullptr);
}

const MessageMap* CModalWatcher::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CModalWatcher::OnTimer>(WM_TIMER)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

LRESULT CModalWatcher::OnTimer(WPARAM, LPARAM) {
  const HWND box = ActiveDialog();
  if (box == nullptr || box == m_last || m_acts.empty()) return 0;
  const std::function<void(HWND)> act = std::move(m_acts.back());
  m_acts.pop_back();
  if (m_acts.empty()) ::KillTimer(m_hWnd, 1);
  m_last = box;
  act(box);
  return 0;
}

CWhen::CWhen(std::function<bool()> ready, std::function<void()> act)
    : m_ready(std::move(ready)), m_act(std::move(act)) {
  Create(HWND_MESSAGE, L"", 0);
  ::SetTimer(m_hWnd, 1, 10, nullptr);
}

const MessageMap* CWhen::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CWhen::OnTimer>(WM_TIMER)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

LRESULT CWhen::OnTimer(WPARAM, LPARAM) {
  if (!m_act || !m_ready()) return 0;
  ::KillTimer(m_hWnd, 1);
  std::exchange(m_act, nullptr)();
  return 0;
}

// The box a modal loop of this thread shows is this thread's active window.
HWND ActiveDialog() {
  const HWND box = ::GetActiveWindow();
  return box != nullptr && ClassOf(box) == L"#32770" ? box : nullptr;
}

std::array<LONG, 4> EdgesInParent(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace win32test
