#include "shell/WindowPlacement.h"

namespace shell {

namespace {
constexpr char kSection[] = "POSITION";
}

WindowRect DefaultWindowRect(std::int32_t cx, std::int32_t cy) {
  const std::int32_t dx = cx / 10;
  const std::int32_t dy = cy / 10;
  return {dx, dy, cx - dx, cy - dy};
}

WindowPlacement RestoreWindowPlacement(CProfile& profile, std::int32_t cx, std::int32_t cy) {
  const WindowRect def = DefaultWindowRect(cx, cy);
  WindowPlacement p;
  p.rcNormal.left = profile.GetProfileInt(kSection, "X0", def.left);
  p.rcNormal.top = profile.GetProfileInt(kSection, "Y0", def.top);
  p.rcNormal.right = profile.GetProfileInt(kSection, "X1", def.right);
  p.rcNormal.bottom = profile.GetProfileInt(kSection, "Y1", def.bottom);
  p.showCmd = profile.GetProfileInt(kSection, "SHOW", ShowCmd::kNormal);
  const WindowRect& r = p.rcNormal;
  const bool startsOnScreen = r.left < cx - 50 && r.top < cy - 50;
  // Besides the start, the window must keep a visible part and a size.
  const bool hasSize = r.right > r.left && r.bottom > r.top;
  const bool reachesScreen = r.right > 0 && r.bottom > 0;
  if (!startsOnScreen || !hasSize || !reachesScreen) p.rcNormal = def;
  return p;
}

void SaveWindowPlacement(CProfile& profile, const WindowPlacement& placement) {
  const std::int32_t show =
      placement.showCmd == ShowCmd::kMinimized ? ShowCmd::kNormal : placement.showCmd;
  profile.WriteProfileInt(kSection, "X0", placement.rcNormal.left);
  profile.WriteProfileInt(kSection, "Y0", placement.rcNormal.top);
  profile.WriteProfileInt(kSection, "X1", placement.rcNormal.right);
  profile.WriteProfileInt(kSection, "Y1", placement.rcNormal.bottom);
  profile.WriteProfileInt(kSection, "SHOW", show);
}

SplitterSizes InitialSplitterSizes(int clientWidth, int clientHeight) {
  const int h = clientHeight - 64;  // 32 pixels each for toolbar and status bar
  return {clientWidth / 4, h / 2};
}

}  // namespace shell
