#include "framework/DialogUnits.h"

namespace fw {

namespace {
int MulDivRound(int a, int b, int c) {
  if (c == 0) return 0;
  const long long p = static_cast<long long>(a) * b;
  const long long half = (p >= 0 ? c : -c) / 2;
  return static_cast<int>((p + half) / c);
}
}  // namespace

int DialogXToPixels(int units, const DialogBaseUnits& base) { return MulDivRound(units, base.cx, 4); }
int DialogYToPixels(int units, const DialogBaseUnits& base) { return MulDivRound(units, base.cy, 8); }

PixelRect DialogRectToPixels(int x, int y, int cx, int cy, const DialogBaseUnits& base) {
  return {DialogXToPixels(x, base), DialogYToPixels(y, base), DialogXToPixels(cx, base),
          DialogYToPixels(cy, base)};
}

}  // namespace fw
