// The print device context over GDI: measurements from the attribute
// context (the printer, also while the preview draws a page onto a bitmap),
// drawing onto the output context in the printer's units. Fonts are made
// as the print layout asks for them, kept until this object goes, and the
// context's own font is put back first.
#pragma once

#include <utility>
#include <vector>

#include "framework/win32/WinApi.h"
#include "output/PrintDC.h"

namespace output::win32 {

class GdiPrintDC : public PrintDC {
 public:
  // Both contexts stay the caller's; they may be the same one.
  GdiPrintDC(HDC attribute, HDC output);
  explicit GdiPrintDC(HDC dc) : GdiPrintDC(dc, dc) {}
  ~GdiPrintDC() override;
  GdiPrintDC(const GdiPrintDC&) = delete;
  GdiPrintDC& operator=(const GdiPrintDC&) = delete;

  int GetDeviceCaps(DeviceCap index) const override;
  // An empty face stands for the font the output context had at first.
  FontSpec SelectFont(const FontSpec& font) override;
  int FontHeight(const FontSpec& font) const override;
  void DrawText(std::string_view text, const Rect& rect, unsigned flags) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

 private:
  HFONT Font(const FontSpec& font) const;

  HDC m_attribute;
  HDC m_output;
  HGDIOBJ m_ownFont = nullptr;  // the output context's font before the first selection
  FontSpec m_current;
  mutable std::vector<std::pair<FontSpec, HFONT>> m_fonts;
};

}  // namespace output::win32
