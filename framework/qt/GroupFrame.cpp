#include "framework/qt/GroupFrame.h"

#include <QPainter>
#include <QStyle>

namespace fw::qt {

namespace {
constexpr int kTitleGap = 2;  // pixels between the broken line and the title
}

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect GroupFrame::TitleRect() const {
  const QFontMetrics fm = fontMetrics();
  // The title starts about one character in from the box's left edge.
  const int left = fm.averageCharWidth() + kTitleGap;
  const int width = qMin(fm.horizontalAdvance(title()), qMax(0, this->width() - 2 * left));
  return {left, 0, width, fm.height()};
}

QRect GroupFrame::FrameRect() const {
  const int top = fontMetrics().height() / 2;
  return rect().adjusted(0, top, 0, 0);
}

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect titleRect = TitleRect();
  painter.save();
  painter.setClipRegion(QRegion(rect()).subtracted(titleRect.adjusted(-kTitleGap, 0, kTitleGap, 0)));
  // The style's own group frame would move itself below the title.
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::Window).darker(140), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(FrameRect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  painter.restore();
  style()->drawItemText(&painter, titleRect,
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}

}  // namespace fw::qt
