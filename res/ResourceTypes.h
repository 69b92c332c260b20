// Plain descriptions of menus, accelerators, toolbars and dialog templates:
// the forms of the data in res/, which the builders in framework/ui turn
// into widgets.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "res/resource.h"

namespace res {

struct MenuItem {
  std::string_view text;  // empty text with id 0 is a separator
  Id id = 0;
};

struct MenuPopup {
  std::string_view title;
  std::span<const MenuItem> items;
};

struct MenuTemplate {
  Id id = 0;
  std::span<const MenuPopup> popups;
};

enum KeyModifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

// A key is a printable ASCII character (upper case) or a function key F1..F24
// given as kFunctionKeyBase + n.
inline constexpr int kFunctionKeyBase = 0x1000;

struct Accelerator {
  int key = 0;
  unsigned modifiers = kNoModifier;
  Id id = 0;
};

struct ToolbarTemplate {
  Id bitmap = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
  std::span<const Id> buttons;  // ID_SEPARATOR (0) is a separator
};

enum class ControlKind {
  kGroupBox,
  kLabel,           // static text
  kLabelNoPrefix,   // static text without '&' processing
  kIcon,            // static icon; text holds nothing, image names the icon
  kListBox,
  kEdit,
  kEditMultiline,
  kRadioButton,
  kPushButton,
  kDefPushButton,
};

enum ControlStyle : unsigned {
  kStyleNone = 0,
  kGroupStart = 1,
  kTabStop = 2,
  kReadOnly = 4,
  kSorted = 8,
  kVScroll = 16,
  kHScroll = 32,
};

struct DialogControl {
  Id id = 0;
  ControlKind kind = ControlKind::kLabel;
  std::string_view text;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  unsigned style = kStyleNone;
};

struct DialogTemplate {
  Id id = 0;
  std::string_view caption;
  int cx = 0, cy = 0;  // dialog units
  std::string_view fontFace;
  int fontPoints = 8;
  bool minimizeBox = false;
  std::span<const DialogControl> controls;
};

}  // namespace res
