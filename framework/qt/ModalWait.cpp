#include "framework/qt/ModalWait.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTimer>
#include <chrono>

#include "framework/WorkerCall.h"
#include "framework/StatusPane.h"
#include "framework/WaitPlan.h"
#include "framework/qt/Text.h"

// The toolkit's own road for a typed key: its shortcuts first, as for a key
// from the window system.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace fw::qt {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool IsKey(QEvent::Type type) { return type == QEvent::KeyPress || type == QEvent::KeyRelease; }

// Input that no window gets while a wait runs.
bool IsOtherInput(QEvent::Type type) {
  switch (type) {
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::StatusTip:
    case QEvent::ToolTip:
    case QEvent::WhatsThis:
      return true;
    default:
      return false;
  }
}

}  // namespace

// The loop of one wait: filters every event of the application while it
// runs, and polls the work.
class CModalWait::Loop : public QObject {
 public:
  Loop(CModalWait& wait, CWorkerCall& call, platform::Job& job)
      : m_wait(wait), m_call(call), m_job(job), m_plan(job), m_buttonsAtStart(QGuiApplication::mouseButtons()) {}

  bool Exec() {
    StatusPane* status = m_wait.m_status;
    const std::string before = status != nullptr ? status->MessageText() : std::string();
    qApp->installEventFilter(this);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &m_loop, [this] { Poll(); });
    poll.start(CWaitPlan::kPollEvery);
    Poll();
    if (!m_call.Done() && !m_gaveUp) m_loop.exec();
    qApp->removeEventFilter(this);
    if (m_cursor) QApplication::restoreOverrideCursor();
    if (m_plan.ToldSomething() && m_wait.m_status != nullptr) m_wait.m_status->SetMessageText(before);
    if (m_closeAfter) QMetaObject::invokeMethod(m_closeAfter, &QWidget::close, Qt::QueuedConnection);
    return !m_gaveUp && m_call.Done();
  }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride) {
      // Taken as the widget's own key, so that it comes as a key press and
      // is held rather than running a command.
      event->accept();
      return true;
    }
    if (IsKey(type)) return OnKey(target, *static_cast<QKeyEvent*>(event));
    if (type == QEvent::MouseButtonRelease &&
        (m_buttonsAtStart & static_cast<QMouseEvent*>(event)->button()) != 0) {
      return false;  // the end of a click that came before the wait
    }
    if (type == QEvent::Close) return OnClose(target, event);
    return IsOtherInput(type);
  }

 private:
  bool OnKey(QObject* target, const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
      if (key.type() == QEvent::KeyPress) GiveUp();
      return true;
    }
    m_wait.Hold(target, key);
    return true;
  }

  void Poll() {
    if (m_call.Done()) {
      m_loop.quit();
      return;
    }
    const CWaitPlan::Step step = m_plan.At(std::chrono::duration_cast<milliseconds>(Clock::now() - m_start));
    if (step.showCursor) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      m_cursor = true;
    }
    if (step.status && m_wait.m_status != nullptr) m_wait.m_status->SetMessageText(*step.status);
  }

  void GiveUp() {
    m_gaveUp = true;
    m_wait.DropKeys();  // typed before the Esc: the user gave up on them too
    m_job.GiveUp();
    m_loop.quit();
  }

  // Only the main window's close box counts: it gives up and closes the
  // window once the waiting call has returned. Other windows stay open.
  // The system's close reaches the platform window first, which passes it
  // on to its widget: that is where it is caught.
  bool OnClose(QObject* target, QEvent* event) {
    if (!target->isWidgetType()) return false;
    auto* window = qobject_cast<QMainWindow*>(target);
    event->ignore();
    if (window != nullptr && window->isWindow()) {
      m_closeAfter = window;
      GiveUp();
    }
    return true;
  }

  CModalWait& m_wait;
  CWorkerCall& m_call;
  platform::Job& m_job;
  CWaitPlan m_plan;
  const Qt::MouseButtons m_buttonsAtStart;
  QEventLoop m_loop;
  const Clock::time_point m_start = Clock::now();
  QPointer<QWidget> m_closeAfter;
  bool m_gaveUp = false;
  bool m_cursor = false;
};

CModalWait::~CModalWait() = default;

bool CModalWait::Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) {
  return fw::RunOnWorker(job, std::move(work), m_active, [this, &job](CWorkerCall& call) {
    m_active = true;
    const bool done = Loop(*this, call, *job).Exec();
    m_active = false;
    if (!m_held.Empty()) {
      // Once the command that waited has returned, as a queue of input would.
      QTimer::singleShot(0, this, [this] { DeliverHeld(); });
    }
    return done;
  });
}

std::uint64_t CModalWait::KeyTime(const QKeyEvent& event) {
  if (event.timestamp() != 0) return event.timestamp();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<milliseconds>(Clock::now().time_since_epoch()).count());
}

void CModalWait::Hold(QObject* target, const QKeyEvent& event) {
  m_held.HoldKey({target, event.type(), event.key(), event.modifiers(), event.nativeScanCode(),
                  event.nativeVirtualKey(), event.nativeModifiers(), event.text(), event.isAutoRepeat(),
                  static_cast<quint16>(event.count()), KeyTime(event)});
}

int CModalWait::Present(const fw::MessageBoxRequest& request, const fw::MessageBoxPresenter& show) {
  if (!m_active) return show ? show(request) : 0;
  m_held.HoldMessage({request, show});
  return fw::IDRESULT_OK;
}

void CModalWait::DeliverHeld() {
  m_held.Deliver([this] { return !m_active; }, &CModalWait::Deliver, [](const HeldMessage& message) {
    if (message.show) message.show(message.request);
  });
}

void CModalWait::Deliver(const HeldKey& key) {
  if (!key.target) return;
  const auto time = static_cast<ulong>(key.time);
  if (key.type == QEvent::KeyPress &&
      qt_sendShortcutOverrideEvent(key.target, time, key.key, key.modifiers, key.text, key.autoRepeat, key.count)) {
    return;  // a shortcut took it
  }
  QKeyEvent event(key.type, key.key, key.modifiers, key.scanCode, key.virtualKey, key.nativeModifiers, key.text,
                  key.autoRepeat, key.count);
  event.setTimestamp(time);
  QCoreApplication::sendEvent(key.target, &event);
}

}  // namespace fw::qt
