// The program's dialogs with real input: each control at its template
// rectangle with its text whole; the drive window over the machine's drives
// (under Wine C: is the prefix's, Z: the Linux root); "Datensatzauswahl",
// the save dialog and its question before a file is replaced, the file
// written, and the German reason when a Windows write fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "driveinfo/win32/DriveInfoDlg.h"
#include "framework/win32/ListBox.h"
#include "framework/win32/MessageLoop.h"
#include "output/ExportCommand.h"
#include "output/ExportTable.h"
#include "output/win32/ExportSelectDlg.h"
#include "output/win32/Win32ExportUi.h"
#include "platform/win32/Utf16.h"
#include "res/Templates.h"
#include "tests/core/export_fakes.h"
#include "tests/win32/Win32TestFiles.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using platform::win32::Widen;
using win32test::ClassOf;
using win32test::CModalWatcher;
using win32test::Edges;
using win32test::EdgesOf;
using win32test::TextOf;
using Act = std::function<void(HWND)>;

// The dialog manager converts the position and the size each on its own.
Edges DialogUnitsToPixels(HWND dialog, int x, int y, int cx, int cy) {
  RECT r{x, y, cx, cy};
  ::MapDialogRect(dialog, &r);
  return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

// Class and the style bits that tell the controls of a template apart.
std::pair<std::wstring, DWORD> Expected(res::ControlKind kind) {
  switch (kind) {
    case res::ControlKind::kGroupBox: return {L"Button", BS_GROUPBOX};
    case res::ControlKind::kLabel: return {L"Static", SS_LEFTNOWORDWRAP};
    case res::ControlKind::kLabelNoPrefix: return {L"Static", SS_LEFTNOWORDWRAP | SS_NOPREFIX};
    case res::ControlKind::kIcon: return {L"Static", SS_ICON};
    case res::ControlKind::kListBox: return {L"ListBox", LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT};
    case res::ControlKind::kEdit: return {L"Edit", ES_AUTOHSCROLL};
    case res::ControlKind::kEditMultiline: return {L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL};
    case res::ControlKind::kRadioButton: return {L"Button", BS_AUTORADIOBUTTON};
    case res::ControlKind::kPushButton: return {L"Button", BS_PUSHBUTTON};
    case res::ControlKind::kDefPushButton: return {L"Button", BS_DEFPUSHBUTTON};
  }
  return {};
}

// The room a control leaves for a line of its text, in pixels.
LONG Room(HWND c, const fw::win32::CWindow& dlg) {
  const LONG width = fw::win32::CWindow(c).ClientRect().right;
  const auto margins = static_cast<DWORD>(::SendMessageW(c, EM_GETMARGINS, 0, 0));
  const auto type = static_cast<DWORD>(::GetWindowLongPtrW(c, GWL_STYLE)) & BS_TYPEMASK;
  if (ClassOf(c) == L"Edit") return width - LOWORD(margins) - HIWORD(margins);
  if (ClassOf(c) != L"Button") return width;
  if (type == BS_GROUPBOX) return width - dlg.Scale(14);
  if (type == BS_AUTORADIOBUTTON) return width - ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dlg.Dpi()) - dlg.Scale(4);
  return width - dlg.Scale(8);
}

// How wide the widest line of a text shows in the dialog's font, and how
// high its lines are: measured on the pixels drawn, as Wine's metrics of its
// Tahoma are wider than what it draws.
SIZE Extent(const fw::win32::CWindow& dlg, const std::wstring& text) {
  const HDC dc = ::CreateCompatibleDC(nullptr);
  ::SelectObject(dc, reinterpret_cast<HFONT>(dlg.SendMsg(WM_GETFONT)));
  constexpr LONG cx = 1024, cy = 256;
  BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  DWORD* bits = nullptr;
  const HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  ::SelectObject(dc, bmp);
  ::PatBlt(dc, 0, 0, cx, cy, WHITENESS);
  RECT all{0, 0, cx, cy};
  SIZE out{0, text.empty() ? 0 : ::DrawTextW(dc, text.c_str(), -1, &all, DT_NOPREFIX)};
  ::GdiFlush();
  for (LONG i = 0; i < cx * cy; ++i) {
    if ((bits[i] & 0xFFFFFF) != 0xFFFFFF) out.cx = std::max(out.cx, i % cx + 1);
  }
  ::DeleteDC(dc);
  ::DeleteObject(bmp);
  return out;
}

// Where the middle of the last line of the list shows something right of x.
LONG FirstInk(HWND list, LONG x) {
  RECT item{};
  ::SendMessageW(list, LB_GETITEMRECT, ::SendMessageW(list, LB_GETCOUNT, 0, 0) - 1, reinterpret_cast<LPARAM>(&item));
  ::UpdateWindow(list);
  const HDC dc = ::GetDC(list);
  const LONG y = (item.top + item.bottom) / 2;
  for (const COLORREF background = ::GetPixel(dc, item.right - 2, y); ::GetPixel(dc, x, y) == background;) ++x;
  ::ReleaseDC(list, dc);
  return x;
}

// The dialogs as the program fills them (the selection's buttons hold
// eight-digit counts), at 100, 150 and 200 per cent (tests/CMakeLists.txt); the
// pictures in test-output/looks (the about box's are the program's).
TEST(Win32Dialog, EveryControlStandsAtItsTemplateRectangleWithItsClassStylesAndWholeText) {
  win32test::CHostWindow owner;
  driveinfo::win32::CDriveInfoDlg drives(platform::FileSystem::Native(), fw::RunAtOnce());
  fw::win32::CDialog about(*res::FindDialog(IDD_ABOUTBOX));
  output::win32::CExportSelectDlg select;
  select.m_nTotal = select.m_nSelected = 12345678;
  for (fw::win32::CDialog* dlg : std::initializer_list<fw::win32::CDialog*>{&drives, &about, &select}) {
    const res::DialogTemplate& tpl = dlg->Template();
    const res::Id id = tpl.id;
    ASSERT_TRUE(dlg->Create(owner.Handle())) << id;
    dlg->Show();
    const HWND hwnd = dlg->Handle();
    const RECT client = dlg->ClientRect();
    EXPECT_EQ((Edges{0, 0, client.right, client.bottom}), DialogUnitsToPixels(hwnd, 0, 0, tpl.cx, tpl.cy)) << id;
    EXPECT_EQ((dlg->Style() & WS_MINIMIZEBOX) != 0, tpl.minimizeBox) << id;
    LOGFONTW font{};  // the template's face as Windows maps it for dialogs
    ::GetObjectW(reinterpret_cast<HFONT>(dlg->SendMsg(WM_GETFONT)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg");

    const std::vector<HWND> controls = win32test::Children(hwnd);
    ASSERT_EQ(controls.size(), tpl.controls.size()) << id;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const res::DialogControl& c = tpl.controls[i];
      const HWND w = controls[i];
      const auto [cls, bits] = Expected(c.kind);
      const auto style = static_cast<DWORD>(::GetWindowLongPtrW(w, GWL_STYLE));
      const DWORD type = cls == L"Button" || cls == L"Static" ? style & (0x1F | SS_NOPREFIX) : style;
      EXPECT_EQ(ClassOf(w), cls) << id << " #" << i;
      EXPECT_EQ(type & bits, bits) << id << " #" << i;
      // (The system gives a radio group's tab stop to the button that is on.)
      EXPECT_TRUE(c.kind == res::ControlKind::kRadioButton ||
                  ((style & WS_TABSTOP) != 0) == ((c.style & res::kTabStop) != 0)) << id << " #" << i;
      EXPECT_EQ(cls == L"Edit" && (style & ES_READONLY), (c.style & res::kReadOnly) != 0) << id << " #" << i;
      const Edges want = DialogUnitsToPixels(hwnd, c.x, c.y, c.cx, c.cy);
      const Edges got = EdgesOf(w, hwnd);
      if (c.kind == res::ControlKind::kIcon) {  // an icon takes its picture's size
        EXPECT_EQ(std::pair(got[0], got[1]), std::pair(want[0], want[1])) << id;
        EXPECT_NE(::SendMessageW(w, STM_GETICON, 0, 0), 0) << "the program's icon";
      } else {
        EXPECT_EQ(got, want) << id << " #" << i;
        EXPECT_TRUE(c.text.empty() || TextOf(w) == Widen(c.text)) << id << " #" << i;
        const SIZE text = Extent(*dlg, cls == L"ListBox" ? L"" : TextOf(w));
        EXPECT_LE(text.cx, Room(w, *dlg)) << id << " #" << i;
        EXPECT_LE(text.cy, fw::win32::CWindow(w).ClientRect().bottom) << id << " #" << i;
      }
      if (cls == L"ListBox") {  // the drive types begin under "Typ", the label before
        RECT tab{80, 0, 0, 0};
        ::MapDialogRect(hwnd, &tab);
        POINT ink{FirstInk(w, tab.left / 2), 0};
        ::MapWindowPoints(w, hwnd, &ink, 1);
        EXPECT_NEAR(ink.x, EdgesOf(controls[i - 1], hwnd)[0], dlg->Scale(5));
      }
      EXPECT_EQ(::GetDlgCtrlID(w), static_cast<int>(c.id)) << id << " #" << i;
    }
    const std::wstring picture = win32test::LooksFolder(KOLBRIN_LOOKS_DIR) + L"\\" +
                                 (id == IDD_DRIVEINFO ? L"drive-info-" : L"record-selection-") +
                                 std::to_wstring(dlg->Dpi() * 100 / 96) + L".bmp";
    EXPECT_TRUE(id == IDD_ABOUTBOX || win32test::SaveScreenshot(hwnd, picture));
  }
}

TEST(Win32DriveInfo, ListsTheDrivesShowsTheFirstFixedOneFollowsTheChoiceAndClosesByEsc) {
  driveinfo::CDriveInfoData want(platform::FileSystem::Native());
  want.FillDriveList();
  win32test::CHostWindow owner;
  driveinfo::win32::CDriveInfoDlg dlg(platform::FileSystem::Native(), fw::RunAtOnce());
  int closed = 0;
  dlg.SetOnClosed([&] { ++closed; });
  fw::win32::CMessageLoop loop;
  loop.AddFilter([&](MSG& msg) { return dlg.PreTranslateMessage(msg); });
  const auto type = [&](UINT key) {  // and every message queued before it
    win32test::PostKey(dlg.DlgItem(IDC_LIST_DRIVES), key);
    ::PostQuitMessage(0);
    loop.Run();
  };
  // The fields say what the core reads for the same drive; the free
  // clusters only roughly, as other programs write to these drives.
  const auto expectFields = [&] {
    for (const res::Id id : driveinfo::CDriveInfoData::FieldControls()) {
      const std::wstring shown = win32test::TextOf(dlg.DlgItem(static_cast<int>(id)));
      EXPECT_TRUE(id == IDC_EDIT_FREECLUSTERS || shown == Widen(want.FieldText(id))) << id;
    }
    EXPECT_NE(want.FieldText(IDC_EDIT_FILESYSTEM), "") << "a drive with figures";
  };

  ASSERT_TRUE(dlg.Create(owner.Handle()));
  dlg.Show();
  const fw::win32::CListBox list(dlg.DlgItem(IDC_LIST_DRIVES));
  ASSERT_EQ(list.Count(), static_cast<int>(want.Lines().size()));
  for (int i = 0; const driveinfo::DriveLine& line : want.Lines()) {
    EXPECT_EQ(list.SendMsg(LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(Widen(line.Text()).c_str())), i++) << line.root;
  }
  EXPECT_EQ(std::pair(want.Lines().front().Text(), want.Lines().back().root),
            std::pair(std::string("C:\\\tFestplattenlaufwerk"), std::string("Z:\\")));
  EXPECT_EQ(list.CurSel(), 0) << "the first fixed drive";
  expectFields();

  type(VK_END);  // the last line, Z:\, as a user chooses it
  EXPECT_EQ(list.CurSel(), list.Count() - 1);
  want.Select(list.Count() - 1);
  expectFields();

  type(VK_ESCAPE);  // the window goes and says so
  EXPECT_EQ(std::pair(closed, dlg.Handle()), std::pair(1, HWND{}));
}

Act Key(UINT vk) { return [vk](HWND) { win32test::PostKey(::GetFocus(), vk); }; }
Act Click(int button) { return [button](HWND box) { ::PostMessageW(::GetDlgItem(box, button), BM_CLICK, 0, 0); }; }

class Win32Export : public testing::Test {
 protected:
  const win32test::TempFolder folder;
  win32test::CHostWindow owner;
  output::win32::CWin32ExportUi ui{[this] { return owner.Handle(); }, platform::FileSystem::Native(),
                                   fw::RunAtOnce()};
};

// The focus, on the button that is on, says which that is.
TEST_F(Win32Export, SelectionDialogShowsBothCountsStartsOnTheSelectedRowsAndGivesTheButtonChosen) {
  std::vector<std::wstring> seen;
  const auto ask = [&](std::vector<UINT> keys, int selected) {
    CModalWatcher watcher([&seen, keys](HWND dlg) {
      seen = {TextOf(dlg), TextOf(::GetDlgItem(dlg, IDC_RADIO_ALLE)), TextOf(::GetFocus())};
      for (const UINT key : keys) Key(key)(dlg);
    });
    return ui.AskSelection(7, selected);
  };
  EXPECT_EQ(ask({VK_RETURN}, 2), std::optional(true));
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Datensatzauswahl", L"Alle Datens\u00E4tzen  (Anzahl = 7)",
                                              L"Alle markierten Datens\u00E4tze  (Anzahl = 2)"}));
  EXPECT_EQ(ask({VK_UP, VK_RETURN}, 2), std::optional(false));
  EXPECT_EQ(ask({VK_ESCAPE}, 7), std::nullopt);
}

// The file goes where its name is typed, ".txt" added, and holds exactly
// the list; an existing one is replaced after Yes only. The current
// directory stays.
TEST_F(Win32Export, FileNamedInTheSaveDialogGetsTheListAndIsReplacedOnlyAfterYes) {
  exporttest::FakeList list;
  list.columns = {{100, "Name"}, {100, "Bytes"}};
  list.cells = {{"brief.txt", "1.234 Byte"}, {"", "0 Byte"}};
  const Act name = [&](HWND) {
    for (const wchar_t c : folder.Path(L"liste")) ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
    win32test::PostKey(::GetFocus(), VK_RETURN);
  };
  const auto exportWith = [&](std::vector<Act> acts) {
    CModalWatcher watcher(std::move(acts));
    return output::RunExport(list, output::EXPORT_TO_FILE, ui);
  };
  const std::filesystem::path current = std::filesystem::current_path();
  const std::string first = "Name;Bytes\r\nbrief.txt;1.234 Byte\r\n;0 Byte\r\n";
  EXPECT_TRUE(exportWith({name}));
  EXPECT_EQ(folder.Read(L"liste.txt"), first);
  list.cells.pop_back();
  EXPECT_FALSE(exportWith({name, Click(IDNO), Key(VK_ESCAPE)}));
  EXPECT_EQ(folder.Read(L"liste.txt"), first) << "kept";
  EXPECT_TRUE(exportWith({name, Click(IDYES)}));
  EXPECT_EQ(folder.Read(L"liste.txt"), "Name;Bytes\r\nbrief.txt;1.234 Byte\r\n");
  EXPECT_EQ(std::filesystem::current_path(), current);
}

// (The causes Linux shares are the core's cases; how the message box shows
// the reason, the message box test's.)
TEST_F(Win32Export, ANameTheFileSystemRefusesIsToldInGerman) {
  const auto failure = [](const std::string& path) {
    platform::Job job(platform::FileSystem::Native());
    return output::WriteExportFile(job, path, "x\r\n").value_or("(written)");
  };
  EXPECT_EQ(failure(folder.Utf8(L"a?b.txt")), "Der Dateiname ist ung\xC3\xBCltig");
  EXPECT_EQ(failure(folder.Utf8(std::wstring(300, L'a') + L".txt")), "Der Dateiname ist zu lang");
}

}  // namespace
