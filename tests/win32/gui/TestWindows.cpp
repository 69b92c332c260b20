#include "tests/win32/gui/TestWindows.h"

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

namespace {
// The box a modal loop of this thread shows is this thread's active window.
HWND ActiveDialog() {
  const HWND box = ::GetActiveWindow();
  return box != nullptr && ClassOf(box) == L"#32770" ? box : nullptr;
}
}  // namespace

CModalWatcher::CModalWatcher(std::vector<std::function<void(HWND)>> acts) {
  for (std::function<void(HWND)>& act : acts) {
    const std::size_t turn = m_acts.size();
    const auto ready = [this, turn] { return m_done == turn && ActiveDialog() != nullptr && ActiveDialog() != m_last; };
    m_acts.push_back(std::make_unique<CWhen>(ready, [this, act = std::move(act)] {
      ++m_done;
      act(m_last = ActiveDialog());
    }));
  }
}

}  // namespace win32test
