#include "output/qt/QtPrintDC.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "framework/qt/Text.h"

namespace output {

QtPrintDC::QtPrintDC(QPainter& painter, const QPaintDevice& device)
    : m_painter(painter), m_device(device) {}

int QtPrintDC::GetDeviceCaps(DeviceCap index) const {
  switch (index) {
    case DeviceCap::kHorzRes: return m_device.width();
    case DeviceCap::kVertRes: return m_device.height();
    case DeviceCap::kLogPixelsX: return m_device.logicalDpiX();
    case DeviceCap::kLogPixelsY: return m_device.logicalDpiY();
  }
  return 0;
}

QFont QtPrintDC::ToQFont(const FontSpec& font) const {
  // Resolved against the device, so pixel sizes are the device's pixels.
  QFont f(fw::qt::ToQ(font.face), -1, -1, false);
  f = QFont(f, &m_device);
  f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? 400 : font.weight, 100, 900)));
  if (font.height < 0) {
    f.setPixelSize(-font.height);  // the character (em) height
  } else if (font.height > 0) {
    // A positive height is the cell height: scale the em to fit it.
    f.setPixelSize(font.height);
    const QFontMetrics fm(f, &m_device);
    const int cell = std::max(1, fm.ascent() + fm.descent());
    f.setPixelSize(std::max(1, font.height * font.height / cell));
  }
  return f;
}

FontSpec QtPrintDC::SelectFont(const FontSpec& font) {
  if (!m_ownFontSaved && m_painter.isActive()) {
    m_ownFont = m_painter.font();
    m_ownFontSaved = true;
  }
  FontSpec previous = m_current;
  m_current = font;
  if (!m_painter.isActive()) return previous;
  m_painter.setFont(font.face.empty() && m_ownFontSaved ? m_ownFont : ToQFont(font));
  return previous;
}

int QtPrintDC::FontHeight(const FontSpec& font) const {
  const QFontInfo info(ToQFont(font));
  return -info.pixelSize();
}

int QtPrintDC::QtTextFlags(unsigned flags) {
  int q = Qt::TextShowMnemonic;
  if ((flags & TextFlags::kRight) != 0) {
    q |= Qt::AlignRight;
  } else if ((flags & TextFlags::kCenter) != 0) {
    q |= Qt::AlignHCenter;
  } else {
    q |= Qt::AlignLeft;
  }
  if ((flags & TextFlags::kSingleLine) != 0) {
    q |= Qt::TextSingleLine | ((flags & TextFlags::kVCenter) != 0 ? Qt::AlignVCenter : Qt::AlignTop);
  } else {
    // Text that may take several lines starts at the top.
    q |= Qt::AlignTop;
    if ((flags & TextFlags::kWordBreak) != 0) q |= Qt::TextWordWrap;
  }
  return q;
}

void QtPrintDC::DrawText(std::string_view text, const Rect& rect, unsigned flags) {
  if (!m_painter.isActive() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  // The right and bottom edges are outside the cell.
  const QRect cell(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
  m_painter.save();
  m_painter.setClipRect(cell);
  m_painter.drawText(cell, QtTextFlags(flags), fw::qt::DisplayText(text));
  m_painter.restore();
}

void QtPrintDC::MoveTo(int x, int y) { m_pos = QPoint(x, y); }

void QtPrintDC::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (m_painter.isActive()) m_painter.drawLine(m_pos, to);
  m_pos = to;
}

}  // namespace output
