#include "framework/ui/ModalWait.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <chrono>

#include "framework/WorkerCall.h"
#include "framework/ui/StatusSink.h"
#include "framework/ui/Text.h"
#include "res/resource.h"

namespace fw::ui {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A job that ends within this is waited for without a loop: nothing shows,
// nothing else runs.
constexpr milliseconds kQuiet{50};
constexpr milliseconds kCursorAfter{150};
constexpr milliseconds kSubjectAfter{2000};
constexpr milliseconds kProgressEvery{100};
constexpr milliseconds kPollEvery{10};

bool g_active = false;

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
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

// The loop of one wait: filters every event of the application while it
// runs, and polls the job.
class WaitLoop : public QObject {
 public:
  WaitLoop(CWorkerCall& call, const WaitOptions& options, StatusSink* status)
      : m_call(call), m_options(options), m_status(status), m_buttonsAtStart(QGuiApplication::mouseButtons()) {}

  bool Exec() {
    const QString before = m_status != nullptr ? m_status->MessageText() : QString();
    qApp->installEventFilter(this);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &m_loop, [this] { Poll(); });
    poll.start(kPollEvery);
    Poll();
    if (!m_call.Done() && !m_gaveUp) m_loop.exec();
    qApp->removeEventFilter(this);
    if (m_cursor) QApplication::restoreOverrideCursor();
    if (m_showedSubject && m_status != nullptr) m_status->SetMessageText(before);
    if (m_closeAfter) QMetaObject::invokeMethod(m_closeAfter, &QWidget::close, Qt::QueuedConnection);
    return !m_gaveUp && m_call.Done();
  }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      GiveUp();
      return true;
    }
    if (type == QEvent::MouseButtonRelease &&
        (m_buttonsAtStart & static_cast<QMouseEvent*>(event)->button()) != 0) {
      return false;  // the end of a click that came before the wait
    }
    if (type == QEvent::Close) return OnClose(target, event);
    return IsInput(type);
  }

 private:
  void Poll() {
    if (m_call.Done()) {
      m_loop.quit();
      return;
    }
    const auto waited = Clock::now() - m_start;
    if (!m_cursor && (m_options.cursorAtOnce || waited >= kCursorAfter)) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      m_cursor = true;
    }
    if (m_status == nullptr) return;
    if (m_options.progress) {
      if (Clock::now() - m_lastProgress >= kProgressEvery) {
        m_lastProgress = Clock::now();
        m_status->SetMessageText(m_options.progress());
      }
    } else if (!m_showedSubject && waited >= kSubjectAfter) {
      m_showedSubject = true;
      const QString subject = m_options.subject ? m_options.subject() : QString();
      m_status->SetMessageText(ResString(IDS_WAITING_FOR).replace(QStringLiteral("%s"), subject));
    }
  }

  void GiveUp() {
    m_gaveUp = true;
    m_call.Cancel();
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

  CWorkerCall& m_call;
  const WaitOptions& m_options;
  StatusSink* m_status;
  const Qt::MouseButtons m_buttonsAtStart;
  QEventLoop m_loop;
  const Clock::time_point m_start = Clock::now();
  Clock::time_point m_lastProgress{};
  QPointer<QWidget> m_closeAfter;
  bool m_gaveUp = false;
  bool m_cursor = false;
  bool m_showedSubject = false;
};

}  // namespace

bool CModalWait::Run(CWorkerCall& call, const WaitOptions& options, StatusSink* status) {
  if (call.WaitFor(kQuiet)) return true;
  if (g_active) {
    // A wait inside a wait cannot come from the user; just block.
    while (!call.WaitFor(std::chrono::seconds(1))) {
    }
    return true;
  }
  g_active = true;
  WaitLoop loop(call, options, status);
  const bool done = loop.Exec();
  g_active = false;
  return done;
}

bool CModalWait::Active() { return g_active; }

}  // namespace fw::ui
