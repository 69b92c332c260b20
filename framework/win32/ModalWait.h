// Waiting on the user-interface thread for work on a worker, with the
// window alive: a message loop of the wait's own repaints the windows,
// runs timers and shows the wait cursor and what is being waited for; Esc
// (or the main window's close box) gives up. No other input reaches any
// window meanwhile and no command runs, so nothing on the stack of the
// waiting call can change or go away.
//
// What the user typed meanwhile is not lost: once the wait is over, the key
// messages go to the windows that had the focus, in order, through the
// accelerators, with the shift keys as they were and the times they were
// typed, as if the work had been quick; then the messages that came up
// during the wait are shown, each once. Esc drops the keys typed before
// it. One object per application, handed to whoever starts work.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "framework/HeldInput.h"
#include "framework/JobRunner.h"
#include "framework/MessageBox.h"
#include "framework/win32/WindowImpl.h"

namespace fw {
class CWorkerCall;
class StatusPane;
}  // namespace fw

namespace fw::win32 {

class CMessageLoop;

class CModalWait : public fw::JobRunner {
 public:
  // loop: whose filters (the accelerators) the held keys meet after the
  // wait; may be null.
  explicit CModalWait(const CMessageLoop* loop = nullptr);
  ~CModalWait() override;
  CModalWait(const CModalWait&) = delete;
  CModalWait& operator=(const CModalWait&) = delete;

  // Pane 0 of the main window, where what is waited for is told; may be
  // null. It must outlive the waits or be set to null first.
  void SetStatusPane(StatusPane* status) { m_status = status; }
  // The window whose close box ends a wait; other windows stay open.
  void SetMainWindow(HWND window) { m_mainWindow = window; }

  // JobRunner: a job that ends within a short moment is never noticed.
  bool Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) override;

  bool Active() const { return m_active; }
  // Whether the windows show the wait cursor (their WM_SETCURSOR asks).
  bool ShowsWaitCursor() const { return m_cursor; }
  // The main window was asked to close: during a wait the wait gives up and
  // closes it once the waiting call has returned (true); else false, and
  // the window closes as usual.
  bool CloseAfterWait(HWND window);

  // Shows a message through show now, or, during a wait, once the wait and
  // the keys typed in it are over (the result is then OK).
  int Present(const fw::MessageBoxRequest& request, const fw::MessageBoxPresenter& show);

  // When the key message being handled was typed, in milliseconds of the
  // system's clock: a key held during a wait keeps its own time.
  std::uint64_t KeyTime() const;

 private:
  class Mailbox;
  struct HeldKey {
    MSG msg;
    std::array<BYTE, 9> shifts;  // the shift keys' states as the key came
  };
  struct HeldMessage {
    fw::MessageBoxRequest request;
    fw::MessageBoxPresenter show;
  };

  bool Wait(CWorkerCall& call, platform::Job& job);
  void Take(MSG& msg);
  void TakeKey(MSG& msg);
  void Hold(const MSG& msg);
  bool LetsMouseThrough(const MSG& msg);
  void GiveUp();
  void ShowWaitCursor(bool on);
  void DeliverHeld();
  void DeliverKey(const HeldKey& key);

  const CMessageLoop* m_loop;
  std::unique_ptr<Mailbox> m_mailbox;
  StatusPane* m_status = nullptr;
  HWND m_mainWindow = nullptr;
  bool m_active = false;
  platform::Job* m_job = nullptr;  // the job waited for
  bool m_cursor = false;
  bool m_gaveUp = false;
  HWND m_closeAfter = nullptr;
  std::optional<WPARAM> m_quit;  // a WM_QUIT that came during the wait
  UINT m_buttonsAtStart = 0;     // MK_ flags of the buttons down as the wait began
  std::optional<DWORD> m_keyTime;  // of the held key being handed on
  bool m_keyTaken = false;         // the accelerators took the last key handed on
  fw::CHeldInput<HeldKey, HeldMessage> m_held;
};

}  // namespace fw::win32
