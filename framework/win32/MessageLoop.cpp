#include "framework/win32/MessageLoop.h"

namespace fw::win32 {

namespace {
// Messages that change nothing a command's state depends on.
bool LeavesIdle(const MSG& msg) { return msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118; }
}  // namespace

bool CMessageLoop::Filter(MSG& msg) const {
  for (const FilterFn& f : m_filters) {
    if (f(msg)) return true;
  }
  return false;
}

void CMessageLoop::PumpMessage(MSG& msg) {
  if (Filter(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void CMessageLoop::RunIdle() {
  for (const IdleHandler& h : m_idle) h();
}

int CMessageLoop::Run() {
  bool idle = true;
  MSG msg{};
  for (;;) {
    if (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      RunIdle();
      idle = false;
    }
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) continue;
    PumpMessage(msg);
    if (LeavesIdle(msg)) idle = true;
  }
}

}  // namespace fw::win32
