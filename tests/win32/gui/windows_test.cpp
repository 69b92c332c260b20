// Dialogs from the resource templates, the splitter under the mouse, the
// message box and the resources Windows itself reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/AppMessageBox.h"
#include "framework/MessageBox.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/MessageBoxPresenter.h"
#include "framework/win32/SplitterWnd.h"
#include "platform/win32/Utf16.h"
#include "res/Templates.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using platform::win32::Widen;
using win32test::ClassOf;
using win32test::TextOf;

// The dialog manager converts the position and the size each on its own.
RECT DialogUnitsToPixels(HWND dialog, int x, int y, int cx, int cy) {
  RECT r{x, y, cx, cy};
  ::MapDialogRect(dialog, &r);
  return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT RectInParent(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Class and the style bits that tell the controls of a template apart.
struct Expected {
  const wchar_t* cls;
  DWORD style;
};

Expected ExpectedFor(res::ControlKind kind) {
  switch (kind) {
    case res::ControlKind::kGroupBox: return {L"Button", BS_GROUPBOX};
    case res::ControlKind::kLabel: return {L"Static", SS_LEFT};
    case res::ControlKind::kLabelNoPrefix: return {L"Static", SS_LEFT | SS_NOPREFIX};
    case res::ControlKind::kIcon: return {L"Static", SS_ICON};
    case res::ControlKind::kListBox: return {L"ListBox", LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT};
    case res::ControlKind::kEdit: return {L"Edit", ES_AUTOHSCROLL};
    case res::ControlKind::kEditMultiline: return {L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL};
    case res::ControlKind::kRadioButton: return {L"Button", BS_AUTORADIOBUTTON};
    case res::ControlKind::kPushButton: return {L"Button", BS_PUSHBUTTON};
    case res::ControlKind::kDefPushButton: return {L"Button", BS_DEFPUSHBUTTON};
  }
  return {L"", 0};
}

DWORD TypeBits(HWND control, const std::wstring& cls) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
  return (cls == L"Button" || cls == L"Static") ? (style & 0x1F) | (style & SS_NOPREFIX) : style;
}

TEST(Win32Dialog, EveryControlStandsAtItsTemplateRectangleWithItsClassAndStyles) {
  for (const res::Id id : {IDD_DRIVEINFO, IDD_ABOUTBOX, IDD_EXPORT_SELECT}) {
    const res::DialogTemplate& tpl = *res::FindDialog(id);
    win32test::CHostWindow owner;
    fw::win32::CDialog dlg(tpl);
    ASSERT_TRUE(dlg.Create(owner.Handle())) << id;
    const HWND hwnd = dlg.Handle();
    EXPECT_EQ(TextOf(hwnd), Widen(tpl.caption));
    const RECT client = dlg.ClientRect();
    const RECT want = DialogUnitsToPixels(hwnd, 0, 0, tpl.cx, tpl.cy);
    EXPECT_EQ(client.right, want.right) << id;
    EXPECT_EQ(client.bottom, want.bottom) << id;
    EXPECT_EQ((dlg.Style() & WS_MINIMIZEBOX) != 0, tpl.minimizeBox) << id;

    const std::vector<HWND> controls = win32test::Children(hwnd);
    ASSERT_EQ(controls.size(), tpl.controls.size()) << id;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const res::DialogControl& c = tpl.controls[i];
      const HWND w = controls[i];
      const Expected e = ExpectedFor(c.kind);
      const std::wstring cls = ClassOf(w);
      EXPECT_EQ(cls, e.cls) << id << " #" << i;
      EXPECT_EQ(TypeBits(w, cls) & e.style, e.style) << id << " #" << i;
      const RECT at = RectInParent(w);
      const RECT units = DialogUnitsToPixels(hwnd, c.x, c.y, c.cx, c.cy);
      if (c.kind != res::ControlKind::kIcon) {  // an icon takes its picture's size
        EXPECT_EQ(at.left, units.left) << id << " #" << i;
        EXPECT_EQ(at.top, units.top) << id << " #" << i;
        EXPECT_EQ(at.right, units.right) << id << " #" << i;
        EXPECT_EQ(at.bottom, units.bottom) << id << " #" << i;
      } else {
        EXPECT_EQ(at.left, units.left) << id;
        EXPECT_EQ(at.top, units.top) << id;
        EXPECT_NE(::SendMessageW(w, STM_GETICON, 0, 0), 0) << "the program's icon";
      }
      if (c.id != IDC_UNNAMED) {
        EXPECT_EQ(::GetDlgCtrlID(w), static_cast<int>(c.id));
      }
      const auto style = static_cast<DWORD>(::GetWindowLongPtrW(w, GWL_STYLE));
      EXPECT_EQ((style & WS_TABSTOP) != 0, (c.style & res::kTabStop) != 0) << id << " #" << i;
      EXPECT_EQ((style & ES_READONLY) != 0 && cls == L"Edit", (c.style & res::kReadOnly) != 0);
      if (c.kind != res::ControlKind::kIcon && cls != L"Edit" && cls != L"ListBox") {
        EXPECT_EQ(TextOf(w), Widen(c.text)) << id << " #" << i;
      }
    }
    // The template's 8-point face as Windows maps it for dialogs.
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg");
  }
}

TEST(Win32Dialog, ModalDialogEndsWithReturnOnItsDefaultButtonAndEscCancels) {
  win32test::CHostWindow owner;
  for (const auto& [key, result] : {std::pair<UINT, INT_PTR>{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}}) {
    std::wstring caption;
    win32test::CModalWatcher watcher([&, key = key](HWND box) {
      caption = TextOf(box);
      win32test::PostKey(::GetFocus(), key);
    });
    fw::win32::CDialog about(*res::FindDialog(IDD_ABOUTBOX));
    EXPECT_EQ(about.DoModal(owner.Handle()), result);
    EXPECT_EQ(caption, L"Info \u00FCber Kolbrin");
  }
}

TEST(Win32MessageBox, BoxShowsTheTextUnderTheProgramsTitleAndGivesTheButtonPressed) {
  win32test::CHostWindow owner;
  const auto previous = fw::SetMessageBoxPresenter(fw::win32::MessageBoxPresenterFor([&] { return owner.Handle(); }));
  struct Seen {
    std::wstring title, text;
    HWND owner = nullptr;
  } seen;
  const auto answer = [&](UINT key) {
    return [&, key](HWND box) {
      seen.title = TextOf(box);
      seen.owner = ::GetWindow(box, GW_OWNER);
      for (HWND c : win32test::Children(box)) {
        if (ClassOf(c) == L"Static" && !TextOf(c).empty()) seen.text = TextOf(c);
      }
      win32test::PostKey(::GetFocus(), key);
    };
  };
  {
    win32test::CModalWatcher watcher(answer(VK_RETURN));
    EXPECT_EQ(fw::AppMessageBox(nullptr, fw::MSG_ERROR, IDS_FILE_ERROR, "Zugriff verweigert"), IDOK);
  }
  EXPECT_EQ(seen.title, L"Kolbrin");
  EXPECT_EQ(seen.text, L"Dateifehler: Zugriff verweigert");
  EXPECT_EQ(seen.owner, owner.Handle());
  {
    win32test::CModalWatcher watcher(answer(VK_ESCAPE));
    EXPECT_EQ(fw::AppMessageBox(nullptr, fw::MSG_YESNOCANCEL, IDS_FILE_ERROR, "x"), IDCANCEL);
  }
  fw::SetMessageBoxPresenter(previous);
  EXPECT_EQ(fw::win32::MessageBoxStyle({"", "", fw::MsgIcon::kStop, fw::MsgButtons::kOk}), 0x10u);
  EXPECT_EQ(fw::win32::MessageBoxStyle({"", "", fw::MsgIcon::kQuestion, fw::MsgButtons::kYesNoCancel}), 0x23u);
  EXPECT_EQ(fw::win32::MessageBoxStyle({"", "", fw::MsgIcon::kQuestion, fw::MsgButtons::kYesNo}), 0x24u);
}

// A pane that is only a window.
HWND Pane(HWND parent) { return fw::win32::CWindow::CreateChild(parent, L"Static", SS_WHITERECT, 0); }

TEST(Win32Splitter, PanesMeetTheBarWhichTheMouseDragsWithinTheSplitter) {
  for (const auto split : {fw::win32::CSplitterWnd::Split::kColumns, fw::win32::CSplitterWnd::Split::kRows}) {
    const bool columns = split == fw::win32::CSplitterWnd::Split::kColumns;
    win32test::CHostWindow host;
    fw::win32::CSplitterWnd splitter(split);
    ASSERT_TRUE(splitter.Create(host.Handle(), 1));
    const RECT area{0, 0, 400, 300};
    splitter.Move(area);
    splitter.SetPanes(Pane(splitter.Handle()), Pane(splitter.Handle()));
    splitter.SetPosition(100);
    const int bar = splitter.BarSize();
    ASSERT_GT(bar, 0);
    const auto endOf = [&](const RECT& r) { return columns ? r.right : r.bottom; };
    const auto startOf = [&](const RECT& r) { return columns ? r.left : r.top; };
    EXPECT_EQ(endOf(RectInParent(splitter.Pane(0))), 100);
    EXPECT_EQ(startOf(RectInParent(splitter.Pane(1))), 100 + bar);
    EXPECT_EQ(endOf(RectInParent(splitter.Pane(1))), columns ? 400 : 300);

    // Grabbed in the middle of the bar and moved by 50 pixels.
    const auto at = [&](int along) { return columns ? MAKELPARAM(along, 10) : MAKELPARAM(10, along); };
    splitter.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, at(100 + bar / 2));
    splitter.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, at(150 + bar / 2));
    EXPECT_EQ(splitter.Position(), 150);
    EXPECT_EQ(endOf(RectInParent(splitter.Pane(0))), 150);
    // Dragged past the end the second pane shrinks to nothing, not below.
    splitter.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, at(5000));
    EXPECT_EQ(endOf(RectInParent(splitter.Pane(1))) - startOf(RectInParent(splitter.Pane(1))), 0);
    splitter.SendMsg(WM_LBUTTONUP, 0, at(5000));
    splitter.SendMsg(WM_MOUSEMOVE, 0, at(20));
    EXPECT_EQ(splitter.Position(), (columns ? 400 : 300) - bar) << "released: moving no longer drags";

    // A resize keeps the first pane's size.
    splitter.SetPosition(120);
    const RECT wider{0, 0, 600, 500};
    splitter.Move(wider);
    EXPECT_EQ(endOf(RectInParent(splitter.Pane(0))), 120);
    EXPECT_EQ(endOf(RectInParent(splitter.Pane(1))), columns ? 600 : 500);
  }
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\040704b0\\") + name;
  if (!::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"";
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

TEST(Win32Resources, PicturesLoadByTheirIdsAndTheVersionRecordIsGerman) {
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  EXPECT_NE(::LoadImageW(self, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 32, 32, 0), nullptr);
  EXPECT_NE(::LoadImageW(self, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 16, 16, 0), nullptr);
  for (const auto& [id, cx, cy] : {std::tuple{IDB_TOOLBAR, 80, 15}, std::tuple{IDB_TREE_IMAGES, 80, 15},
                                   std::tuple{IDB_FILE_SMALL, 16, 16}, std::tuple{IDB_FILE_LARGE, 32, 32}}) {
    const auto bmp = static_cast<HBITMAP>(::LoadImageW(self, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bmp, nullptr) << id;
    BITMAP info{};
    ::GetObjectW(bmp, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, cx) << id;
    EXPECT_EQ(info.bmHeight, cy) << id;
    ::DeleteObject(bmp);
  }

  wchar_t file[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, file, MAX_PATH);
  std::vector<BYTE> block(::GetFileVersionInfoSizeW(file, nullptr));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(::GetFileVersionInfoW(file, 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000005u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(VersionString(block, L"FileVersion"), L"1, 0, 0, 5");
  EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1, 0, 0, 1");
  EXPECT_EQ(VersionString(block, L"FileDescription"), L"Anzeigen von Verzeichnissen");
  EXPECT_EQ(VersionString(block, L"InternalName"), L"Kolbrin");
  EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Kolbrin.EXE");
  EXPECT_EQ(VersionString(block, L"ProductName"), L"Kolbrin Application");
}

}  // namespace
