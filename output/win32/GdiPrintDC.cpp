#include "output/win32/GdiPrintDC.h"

#include "platform/win32/Utf16.h"

namespace output::win32 {

// The layout's flags are the system's own.
static_assert(TextFlags::kCenter == DT_CENTER && TextFlags::kRight == DT_RIGHT && TextFlags::kVCenter == DT_VCENTER &&
              TextFlags::kWordBreak == DT_WORDBREAK && TextFlags::kSingleLine == DT_SINGLELINE);
static_assert(static_cast<int>(DeviceCap::kHorzRes) == HORZRES && static_cast<int>(DeviceCap::kVertRes) == VERTRES &&
              static_cast<int>(DeviceCap::kLogPixelsX) == LOGPIXELSX &&
              static_cast<int>(DeviceCap::kLogPixelsY) == LOGPIXELSY);

GdiPrintDC::GdiPrintDC(HDC attribute, HDC output) : m_attribute(attribute), m_output(output) {}

GdiPrintDC::~GdiPrintDC() {
  if (m_ownFont != nullptr) ::SelectObject(m_output, m_ownFont);
  for (const auto& [asked, font] : m_fonts) ::DeleteObject(font);
}

int GdiPrintDC::GetDeviceCaps(DeviceCap index) const {
  return ::GetDeviceCaps(m_attribute, static_cast<int>(index));
}

// Width, escapement and orientation 0, not italic, underlined or struck
// out, the default character set, everything else left to the mapper.
HFONT GdiPrintDC::Font(const FontSpec& font) const {
  for (const auto& [asked, made] : m_fonts) {
    if (asked == font) return made;
  }
  const std::wstring face = platform::win32::Widen(font.face);
  const HFONT made = ::CreateFontW(font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                                   0, face.c_str());
  if (made != nullptr) m_fonts.emplace_back(font, made);
  return made;
}

FontSpec GdiPrintDC::SelectFont(const FontSpec& font) {
  const HGDIOBJ chosen = font.face.empty() ? m_ownFont : Font(font);
  if (chosen != nullptr) {
    const HGDIOBJ before = ::SelectObject(m_output, chosen);
    if (m_ownFont == nullptr) m_ownFont = before;
  }
  return std::exchange(m_current, font);
}

// The height the font's own record reads back.
int GdiPrintDC::FontHeight(const FontSpec& font) const {
  LOGFONTW record{};
  const HFONT made = Font(font);
  if (made == nullptr || ::GetObjectW(made, sizeof record, &record) == 0) return font.height;
  return record.lfHeight;
}

void GdiPrintDC::DrawText(std::string_view text, const Rect& rect, unsigned flags) {
  std::wstring wide = platform::win32::Widen(text);
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  ::DrawTextW(m_output, wide.data(), static_cast<int>(wide.size()), &r, flags);
}

void GdiPrintDC::MoveTo(int x, int y) { ::MoveToEx(m_output, x, y, nullptr); }

void GdiPrintDC::LineTo(int x, int y) { ::LineTo(m_output, x, y); }

}  // namespace output::win32
