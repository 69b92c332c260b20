// The frame with its real panes in the test process: the tree driven by
// keys and its context menu, the file list against the disk, its headings
// and styles, the directory information and its wait, keys typed while a
// listing is waited for.
#include <gtest/gtest.h>

#include "framework/win32/TreeCtrl.h"
#include "lists/win32/DirView.h"
#include "tests/support/GateFiles.h"
#include "tests/win32/Win32TestFiles.h"
#include "tests/win32/gui/FrameHarness.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using test_support::NativePath;
using win32test::CFrameHarness;
using win32test::PostKey;
using win32test::PostKeys;
using Texts = std::vector<std::wstring>;

LONG_PTR ListStyle(HWND list) { return ::GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK; }

bool Checked(HWND frame, UINT id) { return (::GetMenuState(::GetMenu(frame), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

TEST(Win32Panes, FileListShowsTheDiskSortsByHeadingKeepingTheSelectionAndSwitchesStyle) {
  const win32test::TempFolder disk;
  for (const wchar_t* dir : {L"eins", L"zwei"}) disk.MakeDir(dir);
  for (const auto& [name, size] : {std::pair{L"eins\\b.txt", 300u}, {L"eins\\C.log", 2000u}, {L"eins\\a.txt", 10u}}) {
    disk.MakeFile(name, std::string(size, 'x'));
  }
  CFrameHarness h(platform::FileSystem::Native(), disk.Utf8());
  EXPECT_EQ(h.Path(), disk.Utf8());
  PostKeys(h.Tree(), {VK_RIGHT, VK_RIGHT});  // opens the folder, goes to its first child
  ASSERT_TRUE(h.PumpUntil([&] { return h.Path() == disk.Utf8(L"eins"); }));
  EXPECT_EQ(CFrameHarness::Column(h.Files(), 0), (Texts{L"a.txt", L"b.txt", L"C.log"}));
  EXPECT_EQ(CFrameHarness::Column(h.Files(), 1), (Texts{L"10 Byte", L"300 Byte", L"2.000 Byte"}));

  PostKey(h.Files(), 'A');  // the typed name selects a.txt
  ASSERT_TRUE(h.PumpUntil([&] { return CFrameHarness::Selected(h.Files()) == std::vector{0}; }));
  const HWND header = ListView_GetHeader(h.Files());
  RECT size{};
  Header_GetItemRect(header, 1, &size);
  const LPARAM at = MAKELPARAM((size.left + size.right) / 2, (size.top + size.bottom) / 2);
  ::PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(header, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(h.PumpUntil([&] { return CFrameHarness::Column(h.Files(), 0).front() == L"C.log"; }));
  EXPECT_EQ(CFrameHarness::Column(h.Files(), 0), (Texts{L"C.log", L"b.txt", L"a.txt"})) << "largest first";
  EXPECT_EQ(CFrameHarness::Selected(h.Files()), std::vector{2});
  EXPECT_EQ(ListView_GetNextItem(h.Files(), -1, LVNI_FOCUSED), 2);

  // "Liste" from the menu, by keys; the check mark follows when it opens again.
  PostKeys(h.Frame(), {VK_F10, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(h.PumpUntil([&] { return ListStyle(h.Files()) == LVS_LIST; }));
  PostKeys(h.Frame(), {VK_F10, VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
  EXPECT_TRUE(h.PumpUntil([&] { return Checked(h.Frame(), ID_VIEW_LIST) && !Checked(h.Frame(), ID_VIEW_DETAILS); }));
  EXPECT_EQ(CFrameHarness::Selected(h.Files()), std::vector{2});
  for (const auto& [id, style] : {std::pair{ID_VIEW_LARGEICON, LVS_ICON}, {ID_VIEW_SMALLICON, LVS_SMALLICON},
                                  {ID_VIEW_DETAILS, LVS_REPORT}}) {
    h.Command(id);
    EXPECT_TRUE(h.PumpUntil([&] { return ListStyle(h.Files()) == style; })) << id;
  }
  EXPECT_EQ(ListStyle(h.Dirs()), LVS_REPORT);
}

// Listings of the gate directory and after wait until the test lets them go.
class Win32Gated : public testing::Test {
 protected:
  Win32Gated() { fs.AddDrive(NativePath("/"), platform::kDriveFixed); }
  test_support::GateFiles fs;
};

TEST_F(Win32Gated, ContextMenuScansTheDirectoryInformationWhichEscGivesUpShowingTheWaitMeanwhile) {
  for (const char* dir : {"/A/x", "/A/y/z"}) fs.AddDirectory(dir);
  CFrameHarness h(fs, NativePath("/A"));
  auto& dirs = *h.Panes().DirView();
  fs.gate = NativePath("/A/y");
  const HCURSOR waiting = ::LoadCursorW(nullptr, IDC_WAIT);
  std::string told;  // pane 0 at the gate, with the wait cursor up
  const win32test::CWhen atGate([&] { return fs.reached.load() && ::GetCursor() == waiting; }, [&] {
    told = h.Status();
    PostKey(h.Tree(), VK_ESCAPE);
  });
  ::PostMessageW(h.Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  PostKeys(h.Tree(), {VK_DOWN, VK_RETURN});  // "Verzeichnisinformation"
  ASSERT_TRUE(h.PumpUntil([&] { return !told.empty() && ::GetCursor() != waiting; }));
  EXPECT_EQ(told.rfind(NativePath("/A"), 0), 0u) << told;
  EXPECT_TRUE(dirs.IsDirScanOn());
  EXPECT_EQ(dirs.RowCount(), 0) << "a scan given up shows nothing";
  EXPECT_EQ(h.Status(), "");
  fs.Release();
  fs.gate.clear();

  PostKeys(h.Tree(), {VK_APPS, VK_DOWN, VK_RETURN});  // the Menu key: off again
  ASSERT_TRUE(h.PumpUntil([&] { return !dirs.IsDirScanOn(); }));
  h.Command(ID_VIEW_DIRSCAN);
  ASSERT_TRUE(h.PumpUntil([&] { return dirs.RowCount() == 4; }));
  EXPECT_EQ(CFrameHarness::Column(h.Dirs(), 0),
            (Texts{L"C:\\A", L"C:\\A\\x", L"C:\\A\\y", L"C:\\A\\y\\z"}));
}

TEST_F(Win32Gated, KeysTypedDuringAListingTakeEffectAfterItAndTheKeypadOpensOneLevel) {
  for (const char* dir : {"/gamma", "/fzz/deep/deeper"}) fs.AddDirectory(dir);
  for (const char* file : {"/fat/x", "/fzz/z"}) fs.AddFile(file, 1);
  fs.AddDrive("D:\\", platform::kDriveRemovable);  // no medium: cannot be listed
  CFrameHarness h(fs);
  EXPECT_EQ(h.Path(), NativePath("/"));
  // 'f' lists "fat", which waits; 'z' is typed meanwhile.
  fs.Hold(NativePath("/fat"));
  const win32test::CWhen atGate([&] { return fs.reached.load(); }, [&] {
    PostKey(h.Tree(), 'Z');
    fs.Release();
  });
  PostKey(h.Tree(), 'F');
  ASSERT_TRUE(h.PumpUntil([&] { return h.Path() == NativePath("/fzz"); }));
  EXPECT_EQ(CFrameHarness::Column(h.Files(), 0), Texts{L"z"});

  const fw::win32::CTreeCtrl tree(h.Tree());
  const HTREEITEM fzz = tree.Selection();
  const auto expanded = [&](HTREEITEM item) { return (tree.ItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; };
  PostKey(h.Tree(), VK_MULTIPLY);  // one level, not the whole drive
  ASSERT_TRUE(h.PumpUntil([&] { return expanded(fzz); }));
  EXPECT_FALSE(expanded(tree.Child(fzz)));
  PostKey(h.Tree(), VK_SUBTRACT);
  ASSERT_TRUE(h.PumpUntil([&] { return !expanded(fzz); }));
  fs.AddDirectory("/fzz/neu");
  PostKey(h.Tree(), VK_ADD);  // listed afresh
  ASSERT_TRUE(h.PumpUntil([&] { return expanded(fzz) && tree.ItemText(tree.NextSibling(tree.Child(fzz))) == L"neu"; }));
  EXPECT_EQ(h.Path(), NativePath("/fzz"));

  // A drive without a medium refuses to open and keeps its button.
  PostKey(h.Tree(), VK_END);
  ASSERT_TRUE(h.PumpUntil([&] { return h.Path() == "D:\\"; }));
  const HTREEITEM drive = tree.Selection();
  PostKeys(h.Tree(), {VK_RIGHT, VK_HOME});
  ASSERT_TRUE(h.PumpUntil([&] { return h.Path() == NativePath("/"); }));
  EXPECT_FALSE(expanded(drive));
  EXPECT_NE(tree.Child(drive), nullptr);
}

}  // namespace
