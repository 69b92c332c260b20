// The message loop of the user-interface thread: each message is first
// offered to the filters (accelerator keys, a modeless dialog's keys),
// then translated and dispatched; when the queue runs empty the idle
// handlers run once (update-UI of the toolbar, the status bar's
// indicators).
//
// A modal wait for long work runs a loop of its own while the work goes
// on: it gets and dispatches messages itself, lets only what the wait
// allows reach the windows (Esc, repaints, the close box) and returns here
// when the work is done. It calls neither the filters nor the idle handlers,
// so no command can start while it waits; the keys it held meet the filters
// (Filter) when they are handed on after it.
#pragma once

#include <functional>
#include <vector>

#include "framework/win32/WinApi.h"

namespace fw::win32 {

class CMessageLoop {
 public:
  using FilterFn = std::function<bool(MSG&)>;  // true: the message was taken
  using IdleHandler = std::function<void()>;

  void AddFilter(FilterFn filter) { m_filters.push_back(std::move(filter)); }
  void AddIdleHandler(IdleHandler handler) { m_idle.push_back(std::move(handler)); }

  // Until WM_QUIT; its exit code.
  int Run();

  // Offers msg to the filters, else translates and dispatches it.
  void PumpMessage(MSG& msg);
  // True when a filter took msg.
  bool Filter(MSG& msg) const;
  void RunIdle();

 private:
  std::vector<FilterFn> m_filters;
  std::vector<IdleHandler> m_idle;
};

}  // namespace fw::win32
