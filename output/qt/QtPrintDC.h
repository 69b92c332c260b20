// The print device context over a QPainter: measurements from the paint
// device (the printer, also while a preview draws its pages), fonts by face
// and pixel height, text in cells with the list's alignment flags, rules
// with the painter's pen.
#pragma once

#include <QFont>
#include <QPoint>

#include "output/PrintDC.h"

class QPainter;
class QPaintDevice;

namespace output {

class QtPrintDC : public PrintDC {
 public:
  // painter draws on device (it need not be active yet: measurements and
  // font heights come from device alone).
  QtPrintDC(QPainter& painter, const QPaintDevice& device);

  int GetDeviceCaps(DeviceCap index) const override;
  FontSpec SelectFont(const FontSpec& font) override;
  int FontHeight(const FontSpec& font) const override;
  void DrawText(std::string_view text, const Rect& rect, unsigned flags) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  // Qt's text flags for DT_ flags: a vertical position only on a single
  // line, '&' underlines the next character.
  static int QtTextFlags(unsigned flags);
  // The font font asks for on this device.
  QFont ToQFont(const FontSpec& font) const;

 private:
  QPainter& m_painter;
  const QPaintDevice& m_device;
  FontSpec m_current;  // empty face: the painter's own font
  QFont m_ownFont;
  bool m_ownFontSaved = false;
  QPoint m_pos;
};

}  // namespace output
