// Waiting on the user-interface thread for work on a worker, with the
// window alive: it repaints, shows a wait cursor and what is being waited
// for, and Esc (or closing the main window) gives up. No other input
// reaches any window meanwhile and no handler of a view runs, so nothing on
// the stack of the waiting call can change or go away.
//
// What the user typed meanwhile is not lost: once the wait is over, the
// keys go to the widgets that had the focus, in order and with the times
// they were typed, as if the work had been quick; then the messages that
// came up during the wait are shown, each once. Esc drops the keys typed
// before it. One object per application, handed to whoever starts work.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "framework/HeldInput.h"
#include "framework/JobRunner.h"
#include "framework/MessageBox.h"

namespace fw {
class StatusPane;
}

namespace fw::qt {

class CModalWait : public QObject, public fw::JobRunner {
 public:
  CModalWait() = default;
  ~CModalWait() override;

  // Pane 0 of the main window, where what is waited for is told; may be
  // null. The pane must outlive the waits or be set to null first.
  void SetStatusPane(StatusPane* status) { m_status = status; }

  // JobRunner: a job that ends within a short moment is never noticed.
  bool Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) override;

  // Whether a wait is in progress.
  bool Active() const { return m_active; }

  // Shows a message through show now, or, during a wait, once the wait and
  // the keys typed in it are over (the result is then OK).
  int Present(const fw::MessageBoxRequest& request, const fw::MessageBoxPresenter& show);

  // When a key event was typed, in milliseconds: its own time stamp, or
  // the moment it is asked when the event carries none.
  static std::uint64_t KeyTime(const QKeyEvent& event);

 private:
  class Loop;
  struct HeldKey {
    QPointer<QObject> target;
    QEvent::Type type;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode, virtualKey, nativeModifiers;
    QString text;
    bool autoRepeat;
    quint16 count;
    std::uint64_t time;
  };
  struct HeldMessage {
    fw::MessageBoxRequest request;
    fw::MessageBoxPresenter show;
  };

  void Hold(QObject* target, const QKeyEvent& event);
  void DropKeys() { m_held.DropKeys(); }
  void DeliverHeld();
  static void Deliver(const HeldKey& key);

  StatusPane* m_status = nullptr;
  bool m_active = false;
  fw::CHeldInput<HeldKey, HeldMessage> m_held;
};

}  // namespace fw::qt
