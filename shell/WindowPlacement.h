// Where and how the main window comes back: the normal rectangle and the
// show command, kept in section "POSITION" of the profile.
#pragma once

#include <cstdint>

#include "shell/Profile.h"

namespace shell {

// Show commands as the profile keeps them; a stored value may be any other.
namespace ShowCmd {
inline constexpr std::int32_t kNormal = 1;
inline constexpr std::int32_t kMinimized = 2;
inline constexpr std::int32_t kMaximized = 3;
}  // namespace ShowCmd

struct WindowRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const WindowRect&) const = default;
};

struct WindowPlacement {
  WindowRect rcNormal;
  std::int32_t showCmd = ShowCmd::kNormal;
};

// The middle 80 per cent of a screen of cx by cy pixels.
WindowRect DefaultWindowRect(std::int32_t cx, std::int32_t cy);

// Reads the stored placement; a rectangle that would start within 50 pixels
// of the right or bottom edge, lies wholly off the screen or has no size
// gives way to the default.
WindowPlacement RestoreWindowPlacement(CProfile& profile, std::int32_t cx, std::int32_t cy);

// Writes X0, Y0, X1, Y1 and SHOW; a minimised window is stored as normal.
void SaveWindowPlacement(CProfile& profile, const WindowPlacement& placement);

// Initial splitter sizes for a client area: the tree a quarter of the width,
// each list half of the height left after toolbar and status bar.
struct SplitterSizes {
  int treeWidth = 0;
  int listHeight = 0;
};
SplitterSizes InitialSplitterSizes(int clientWidth, int clientHeight);

}  // namespace shell
