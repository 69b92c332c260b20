#include "framework/win32/DialogTemplateBuilder.h"

#include <cstring>

#include "platform/win32/Utf16.h"

namespace fw::win32 {

namespace {
// Atoms of the system's predefined control classes, as templates name them.
constexpr std::uint16_t kButtonAtom = 0x0080;
constexpr std::uint16_t kEditAtom = 0x0081;
constexpr std::uint16_t kStaticAtom = 0x0082;
constexpr std::uint16_t kListBoxAtom = 0x0083;

std::uint16_t ClassAtom(res::ControlKind kind) {
  switch (kind) {
    case res::ControlKind::kEdit:
    case res::ControlKind::kEditMultiline: return kEditAtom;
    case res::ControlKind::kLabel:
    case res::ControlKind::kLabelNoPrefix:
    case res::ControlKind::kIcon: return kStaticAtom;
    case res::ControlKind::kListBox: return kListBoxAtom;
    case res::ControlKind::kGroupBox:
    case res::ControlKind::kRadioButton:
    case res::ControlKind::kPushButton:
    case res::ControlKind::kDefPushButton: break;
  }
  return kButtonAtom;
}

std::string_view DialogFace(std::string_view face) { return face == "MS Sans Serif" ? "MS Shell Dlg" : face; }
}  // namespace

const wchar_t* DialogTemplateBuilder::ControlClass(res::ControlKind kind) {
  switch (ClassAtom(kind)) {
    case kEditAtom: return L"Edit";
    case kStaticAtom: return L"Static";
    case kListBoxAtom: return L"ListBox";
    default: return L"Button";
  }
}

// Edits scroll their text along as it grows (the template's scroll bits
// mean that for them); list boxes get scroll bars. A label is one line: a
// second one, broken off where the system measures the text a little wide
// (as Wine does its Tahoma), would be cut off by the label's height.
DWORD DialogTemplateBuilder::ControlStyle(const res::DialogControl& c) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (c.style & res::kGroupStart) style |= WS_GROUP;
  if (c.style & res::kTabStop) style |= WS_TABSTOP;
  switch (c.kind) {
    case res::ControlKind::kGroupBox: return style | BS_GROUPBOX;
    case res::ControlKind::kLabel: return style | SS_LEFTNOWORDWRAP;
    case res::ControlKind::kLabelNoPrefix: return style | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case res::ControlKind::kIcon: return style | SS_ICON;
    case res::ControlKind::kListBox:
      style |= WS_BORDER | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;
      if (c.style & res::kSorted) style |= LBS_SORT;
      if (c.style & res::kVScroll) style |= WS_VSCROLL;
      if (c.style & res::kHScroll) style |= WS_HSCROLL;
      return style;
    case res::ControlKind::kEdit:
    case res::ControlKind::kEditMultiline:
      style |= WS_BORDER | ES_LEFT;
      if (c.kind == res::ControlKind::kEditMultiline) style |= ES_MULTILINE;
      if (c.style & res::kReadOnly) style |= ES_READONLY;
      if (c.style & res::kHScroll) style |= ES_AUTOHSCROLL;
      if (c.style & res::kVScroll) style |= ES_AUTOVSCROLL;
      return style;
    case res::ControlKind::kRadioButton: return style | BS_AUTORADIOBUTTON;
    case res::ControlKind::kPushButton: return style | BS_PUSHBUTTON;
    case res::ControlKind::kDefPushButton: return style | BS_DEFPUSHBUTTON;
  }
  return style;
}

void DialogTemplateBuilder::Word(std::uint16_t w) { m_words.push_back(w); }

void DialogTemplateBuilder::Dword(std::uint32_t d) {
  Word(static_cast<std::uint16_t>(d & 0xFFFF));
  Word(static_cast<std::uint16_t>(d >> 16));
}

void DialogTemplateBuilder::Text(std::string_view utf8) {
  for (const wchar_t ch : platform::win32::Widen(utf8)) Word(static_cast<std::uint16_t>(ch));
  Word(0);
}

void DialogTemplateBuilder::AlignToDword() {
  if (m_words.size() % 2 != 0) Word(0);
}

DialogTemplateBuilder::DialogTemplateBuilder(const res::DialogTemplate& tpl) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT | DS_CENTER;
  if (tpl.minimizeBox) style |= WS_MINIMIZEBOX;
  Word(1);       // dlgVer
  Word(0xFFFF);  // signature: the extended form
  Dword(0);      // helpID
  Dword(0);      // exStyle
  Dword(style);
  Word(static_cast<std::uint16_t>(tpl.controls.size()));
  for (const int v : {0, 0, tpl.cx, tpl.cy}) Word(static_cast<std::uint16_t>(v));
  Word(0);  // no menu
  Word(0);  // the system's dialog class
  Text(tpl.caption);
  Word(static_cast<std::uint16_t>(tpl.fontPoints));
  Word(FW_NORMAL);
  Word(DEFAULT_CHARSET << 8);  // italic 0, then the character set
  Text(DialogFace(tpl.fontFace));
  for (const res::DialogControl& c : tpl.controls) {
    AlignToDword();
    Dword(0);  // helpID
    Dword(0);  // exStyle
    Dword(ControlStyle(c));
    for (const int v : {c.x, c.y, c.cx, c.cy}) Word(static_cast<std::uint16_t>(v));
    Dword(c.id == IDC_UNNAMED ? 0xFFFFFFFFu : c.id);
    Word(0xFFFF);
    Word(ClassAtom(c.kind));
    if (c.kind == res::ControlKind::kIcon) {
      Word(0xFFFF);
      Word(static_cast<std::uint16_t>(IDI_MAINFRAME));
    } else {
      Text(c.text);
    }
    Word(0);  // no creation data
  }
  AlignToDword();
  m_data.resize(m_words.size() / 2);
  std::memcpy(m_data.data(), m_words.data(), m_words.size() * sizeof(std::uint16_t));
  m_words.clear();
}

}  // namespace fw::win32
