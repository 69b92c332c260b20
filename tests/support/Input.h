// Real key presses and mouse clicks for GUI tests, sent as the window
// system would deliver them (shortcuts included).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>
#include <functional>

namespace testsupport {

inline void Key(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
}

// At the middle, or at the left end of a radio button, which takes clicks
// only on its circle and text.
inline void Click(QWidget* w) {
  const QPointF pos(qobject_cast<QRadioButton*>(w) != nullptr ? 6.0 : w->width() / 2.0, w->height() / 2.0);
  for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
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

}  // namespace testsupport
