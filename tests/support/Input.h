// Real key presses and mouse clicks for GUI tests, and ways to act on what
// a command opens while it runs (a modal dialog, a wait for a worker).
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace testsupport {

// At the middle, or at the left end of a radio button, which takes clicks
// only on its circle and text.
inline void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
  const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
  QTest::mouseClick(w, button, {}, QPoint(radio ? 6 : w->width() / 2, w->height() / 2));
}

// On an item of a list or tree, scrolled into sight first.
inline void ClickItem(QAbstractItemView* view, const QModelIndex& index, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = {}) {
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), button, modifiers, view->visualRect(index).center());
}

// A key typed at a moment of the test's choosing (milliseconds, as the
// window system stamps its key events), pressed and released as QTest
// delivers keys: shortcuts first, then the focus widget.
inline void TypeAt(QWidget* widget, Qt::Key key, const QString& text, ulong time,
                   Qt::KeyboardModifiers modifiers = {}) {
  if (!qt_sendShortcutOverrideEvent(widget, time, key, modifiers, text, false)) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    press.setTimestamp(time);
    QSpontaneKeyEvent::setSpontaneous(&press);
    qApp->notify(widget, &press);
  }
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  release.setTimestamp(time + 50);
  QSpontaneKeyEvent::setSpontaneous(&release);
  qApp->notify(widget, &release);
}

// On a heading, near its left end.
inline void ClickHeading(QHeaderView* header, int column) {
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

// The OK button of a dialog's button box, if it has one.
inline QPushButton* OkButton(QWidget* dialog) {
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  return buttons != nullptr ? buttons->button(QDialogButtonBox::Ok) : nullptr;
}

// The window's close box, as the window system reports a click on it.
inline void CloseBox(QWidget* window) {
  QCloseEvent close;
  QApplication::sendEvent(window->windowHandle(), &close);
}

// Runs act once ready() holds, looking every millisecond from the event
// loop (also from a wait's own loop while a command waits for a worker).
inline void WhenReady(QObject* owner, std::function<bool()> ready, std::function<void()> act) {
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, ready, act] {
    if (!ready()) return;
    timer->stop();
    act();
    timer->deleteLater();
  });
  timer->start(1);
}

// Runs act on the modal dialog of type T as soon as one is open, looking
// again until then (a command chosen from a menu runs once the menu has
// gone); gives up after a few seconds, closing whatever is modal.
template <typename T>
void WhenModal(std::function<void(T*)> act, int triesLeft = 500) {
  QTimer::singleShot(triesLeft == 500 ? 0 : 10, [act, triesLeft] {
    auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
    if (dialog != nullptr) {
      act(dialog);
    } else if (triesLeft > 0) {
      WhenModal<T>(act, triesLeft - 1);
    } else if (QWidget* other = QApplication::activeModalWidget()) {
      other->close();
    }
  });
}

// Notes the text (and icon) of the next message box and answers it with OK.
inline void AnswerMessage(QString* text, QMessageBox::Icon* icon = nullptr) {
  WhenModal<QMessageBox>([text, icon](QMessageBox* box) {
    *text = box->text();
    if (icon != nullptr) *icon = box->icon();
    Click(box->button(QMessageBox::Ok));
  });
}

// Where a picture for a person to look at is kept: the build's test-output.
inline QString OutputPath(const QString& name) {
  QDir().mkpath(QStringLiteral(KOLBRIN_TEST_OUTPUT "/looks"));
  return QStringLiteral(KOLBRIN_TEST_OUTPUT "/") + name;
}

}  // namespace testsupport
