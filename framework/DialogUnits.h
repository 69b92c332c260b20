// Dialog units to pixels: horizontal units are quarters of the dialog font's
// average character width, vertical units eighths of its height.
#pragma once

namespace fw {

// Kept unrounded: a scalable font's average width lies between whole pixels,
// and rounding it first would shrink every control against its own text.
struct DialogBaseUnits {
  double cx = 0;  // average character width of the dialog font, pixels
  double cy = 0;  // character cell height of the dialog font, pixels
};

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// Rounded to the nearest pixel, halves away from zero.
int DialogXToPixels(int units, const DialogBaseUnits& base);
int DialogYToPixels(int units, const DialogBaseUnits& base);
// Both edges are rounded, not the size: controls that meet in the template
// meet in pixels, and controls the template keeps apart stay apart.
PixelRect DialogRectToPixels(int x, int y, int cx, int cy, const DialogBaseUnits& base);

}  // namespace fw
