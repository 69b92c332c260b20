// The drive information window over the real drives of the machine (under
// Wine C: is the prefix's drive, Z: the root of the Linux file system),
// driven by keys posted to its controls.
#include <gtest/gtest.h>

#include "driveinfo/win32/DriveInfoDlg.h"
#include "framework/win32/ListBox.h"
#include "platform/win32/Utf16.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using platform::win32::Widen;
using win32test::PumpUntil;
using win32test::TextOf;

std::wstring LineText(const fw::win32::CListBox& list, int index) {
  std::wstring text(static_cast<std::size_t>(list.TextLength(index)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(list.Text(index, text.data())));
  return text;
}

// The window's fields say what the core reads for the same drive; the free
// clusters only roughly, as other programs write to these drives meanwhile.
void ExpectFieldsOf(const driveinfo::CDriveInfoData& want, const fw::win32::CDialog& dlg) {
  for (const res::Id id : driveinfo::CDriveInfoData::FieldControls()) {
    const std::wstring shown = TextOf(dlg.DlgItem(static_cast<int>(id)));
    if (id != IDC_EDIT_FREECLUSTERS) {
      EXPECT_EQ(shown, Widen(want.FieldText(id))) << id;
    }
  }
  const auto number = [&](res::Id id) { return std::stoull(TextOf(dlg.DlgItem(static_cast<int>(id)))); };
  EXPECT_LE(number(IDC_EDIT_FREECLUSTERS), number(IDC_EDIT_TOTALCLUSTERS));
  EXPECT_FALSE(want.FieldText(IDC_EDIT_FILESYSTEM).empty()) << "a drive with figures";
}

TEST(Win32DriveInfo, ListsTheDrivesShowsTheFirstFixedOneFollowsTheChoiceAndClosesByEscEnterOrCloseBox) {
  platform::FileSystem& fs = platform::FileSystem::Native();
  driveinfo::CDriveInfoData want(fs);
  want.FillDriveList();
  win32test::CHostWindow owner;
  driveinfo::win32::CDriveInfoDlg dlg(fs, fw::RunAtOnce());
  int closed = 0;
  dlg.SetOnClosed([&] { ++closed; });

  ASSERT_TRUE(dlg.Create(owner.Handle()));
  dlg.Show();
  const fw::win32::CListBox list(dlg.DlgItem(IDC_LIST_DRIVES));
  std::vector<std::wstring> lines, wanted;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(LineText(list, i));
  for (const driveinfo::DriveLine& l : want.Lines()) wanted.push_back(Widen(l.Text()));
  EXPECT_EQ(lines, wanted);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.front(), L"C:\\\tFestplattenlaufwerk");
  EXPECT_EQ(lines.back().substr(0, 4), L"Z:\\\t");
  EXPECT_EQ(LineText(list, list.CurSel()), lines.front()) << "the first fixed drive";
  ExpectFieldsOf(want, dlg);

  // End chooses the last line, Z:\, as a user would.
  list.SetFocus();
  win32test::PostKey(list.Handle(), VK_END);
  ASSERT_TRUE(PumpUntil([&] { return list.CurSel() == list.Count() - 1; }, &dlg));
  want.Select(static_cast<int>(want.Lines().size()) - 1);
  ExpectFieldsOf(want, dlg);

  // Each way of closing destroys the window and says so; each new window
  // starts again at the first fixed drive.
  const auto key = [&](UINT vk) { return [&, vk] { win32test::PostKey(dlg.DlgItem(IDC_LIST_DRIVES), vk); }; };
  const std::function<void()> ways[] = {key(VK_ESCAPE), key(VK_RETURN), [&] { dlg.PostMsg(WM_CLOSE); }};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      ASSERT_TRUE(dlg.Create(owner.Handle()));
      dlg.Show();
      EXPECT_EQ(fw::win32::CListBox(dlg.DlgItem(IDC_LIST_DRIVES)).CurSel(), 0) << i;
    }
    const HWND window = dlg.Handle();
    ways[i]();
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, &dlg)) << i;
    EXPECT_EQ(std::pair(closed, dlg.Handle()), std::pair(i + 1, HWND{})) << i;
  }
}

}  // namespace
