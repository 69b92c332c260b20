#include "framework/DialogUnits.h"

#include <cmath>

namespace fw {

int DialogXToPixels(int units, const DialogBaseUnits& base) {
  return static_cast<int>(std::lround(units * base.cx / 4.0));
}

int DialogYToPixels(int units, const DialogBaseUnits& base) {
  return static_cast<int>(std::lround(units * base.cy / 8.0));
}

PixelRect DialogRectToPixels(int x, int y, int cx, int cy, const DialogBaseUnits& base) {
  const int left = DialogXToPixels(x, base);
  const int top = DialogYToPixels(y, base);
  return {left, top, DialogXToPixels(x + cx, base) - left, DialogYToPixels(y + cy, base) - top};
}

}  // namespace fw
