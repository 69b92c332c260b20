// Real key presses and mouse clicks for GUI tests, sent as the window
// system would deliver them (shortcuts included).
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>

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

}  // namespace testsupport
