// What printing needs from a device context and from the list it prints.
// Lengths are device pixels, y grows downwards.
#pragma once

#include <string>
#include <string_view>

namespace output {

// Device measurements.
enum class DeviceCap : int {
  kHorzRes = 8,      // printable width
  kVertRes = 10,     // printable height
  kLogPixelsX = 88,  // pixels per inch across
  kLogPixelsY = 90,  // pixels per inch down
};

// Text output flags, combined with '|'. Without a no-prefix flag '&' marks
// the next character as underlined and is not drawn itself.
namespace TextFlags {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
}  // namespace TextFlags

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// A font request: a negative height is the character height in pixels.
struct FontSpec {
  std::string face;
  int height = 0;
  int weight = 400;
  bool operator==(const FontSpec&) const = default;
};

class PrintDC {
 public:
  virtual ~PrintDC() = default;
  virtual int GetDeviceCaps(DeviceCap index) const = 0;
  // Selects font and returns the one it replaces.
  virtual FontSpec SelectFont(const FontSpec& font) = 0;
  // The height the device gives font (as the font's own record reads back).
  virtual int FontHeight(const FontSpec& font) const = 0;
  virtual void DrawText(std::string_view text, const Rect& rect, unsigned flags) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
};

// Column formats as the lists keep them: the justification bits.
namespace ColumnFormat {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kRight = 0x1;
inline constexpr unsigned kCenter = 0x2;
inline constexpr unsigned kJustifyMask = 0x3;
}  // namespace ColumnFormat

struct ListColumn {
  int width = 0;  // screen pixels
  std::string title;
  unsigned format = ColumnFormat::kLeft;
};

// The list being printed, read anew for every page.
class PrintSource {
 public:
  virtual ~PrintSource() = default;
  virtual int RowCount() const = 0;
  // Column index; false past the last column.
  virtual bool GetColumn(int index, ListColumn& out) const = 0;
  virtual std::string CellText(int row, int column) const = 0;
};

}  // namespace output
