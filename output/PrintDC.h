// What printing needs from a device context and from the list it prints.
// Lengths are device pixels, y grows downwards.
#pragma once

#include <string>
#include <string_view>

namespace output {

// Device measurements.
enum DeviceCap : int {
  HORZRES = 8,      // printable width
  VERTRES = 10,     // printable height
  LOGPIXELSX = 88,  // pixels per inch across
  LOGPIXELSY = 90,  // pixels per inch down
};

// Text output flags. Without a no-prefix flag '&' marks the next character
// as underlined and is not drawn itself.
enum DrawTextFlags : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
};

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

// Column formats as the lists keep them.
enum ColumnFormat : unsigned {
  LVCFMT_LEFT = 0x0,
  LVCFMT_RIGHT = 0x1,
  LVCFMT_CENTER = 0x2,
  LVCFMT_JUSTIFYMASK = 0x3,
};

struct ListColumn {
  int width = 0;  // screen pixels
  std::string title;
  unsigned format = LVCFMT_LEFT;
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
