// Dialog units to pixels: horizontal units are quarters of the dialog font's
// average character width, vertical units eighths of its height.
#pragma once

namespace fw {

struct DialogBaseUnits {
  int cx = 0;  // average character width of the dialog font, pixels
  int cy = 0;  // character height of the dialog font, pixels
};

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// MulDiv-style rounding, as the platform maps dialog units.
int DialogXToPixels(int units, const DialogBaseUnits& base);
int DialogYToPixels(int units, const DialogBaseUnits& base);
PixelRect DialogRectToPixels(int x, int y, int cx, int cy, const DialogBaseUnits& base);

}  // namespace fw
