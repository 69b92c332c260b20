// The export's dialogs on Windows, answered by keys and clicks as a user
// answers them: "Datensatzauswahl", the system's save dialog with its
// question before a file is replaced, and the file written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/win32/MessageBoxPresenter.h"
#include "output/ExportCommand.h"
#include "output/win32/Win32ExportUi.h"
#include "tests/core/export_fakes.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using win32test::CModalWatcher;
using win32test::TextOf;
using Act = std::function<void(HWND)>;

Act Key(UINT vk) {
  return [vk](HWND) { win32test::PostKey(::GetFocus(), vk); };
}

class Win32Export : public testing::Test {
 protected:
  win32test::CHostWindow owner;
  output::win32::CWin32ExportUi ui{[this] { return owner.Handle(); }, platform::FileSystem::Native(),
                                   fw::RunAtOnce()};
};

TEST_F(Win32Export, SelectionDialogShowsBothCountsStartsOnTheSelectedRowsAndGivesTheButtonChosen) {
  std::vector<std::wstring> texts;
  const Act read = [&](HWND dlg) {
    texts = {TextOf(dlg), TextOf(::GetDlgItem(dlg, IDC_RADIO_ALLE)), TextOf(::GetDlgItem(dlg, IDC_RADIO_SEL)),
             TextOf(::GetFocus())};
    EXPECT_EQ(::IsDlgButtonChecked(dlg, IDC_RADIO_SEL), BST_CHECKED);
    Key(VK_RETURN)(dlg);
  };
  {
    CModalWatcher watcher(read);
    EXPECT_EQ(ui.AskSelection(7, 2), std::optional(true));
  }
  const std::wstring selected = L"Alle markierten Datens\u00E4tze  (Anzahl = 2)";
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Datensatzauswahl", L"Alle Datens\u00E4tzen  (Anzahl = 7)", selected,
                                               selected}));
  {
    CModalWatcher watcher([](HWND dlg) { Key(VK_UP)(dlg), Key(VK_RETURN)(dlg); });
    EXPECT_EQ(ui.AskSelection(7, 2), std::optional(false));
  }
  CModalWatcher watcher(Key(VK_ESCAPE));
  EXPECT_EQ(ui.AskSelection(7, 7), std::nullopt);
}

std::string Contents(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// The save dialog finds its file where it is typed, ".txt" added; the file
// holds exactly the list. An existing one is replaced after Yes only; one
// that cannot be written is reported with the reason.
TEST_F(Win32Export, FileNamedInTheSaveDialogGetsTheListAndIsReplacedOnlyAfterYes) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"kolbrin-export-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring file = folder + L"\\liste.txt";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(file.c_str());
  exporttest::FakeList list;
  list.columns = {{100, "Name"}, {100, "Bytes"}};
  list.cells = {{"brief.txt", "1.234 Byte"}, {"", "0 Byte"}};
  const Act name = [&](HWND) {
    win32test::PostChars(::GetFocus(), folder + L"\\liste");
    win32test::PostKey(::GetFocus(), VK_RETURN);
  };
  const auto answer = [](int button) { return [button](HWND box) { win32test::PostClick(::GetDlgItem(box, button)); }; };
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  const auto exportWith = [&](std::vector<Act> acts) {
    CModalWatcher watcher(std::move(acts));
    return output::RunExport(list, output::EXPORT_TO_FILE, ui);
  };

  EXPECT_TRUE(exportWith({name}));
  const std::string first = "Name;Bytes\r\nbrief.txt;1.234 Byte\r\n;0 Byte\r\n";
  EXPECT_EQ(Contents(file), first);
  list.cells.pop_back();
  EXPECT_FALSE(exportWith({name, answer(IDNO), Key(VK_ESCAPE)}));
  EXPECT_EQ(Contents(file), first) << "kept";
  EXPECT_TRUE(exportWith({name, answer(IDYES)}));
  EXPECT_EQ(Contents(file), "Name;Bytes\r\nbrief.txt;1.234 Byte\r\n");

  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  const auto presenter =
      fw::SetMessageBoxPresenter(fw::win32::MessageBoxPresenterFor([&] { return owner.Handle(); }));
  std::wstring told;  // the box's title and icon are the message box test's
  EXPECT_FALSE(exportWith({name, answer(IDYES), [&](HWND box) {
                             for (HWND c : win32test::Children(box)) told += TextOf(c) + L"|";
                             Key(VK_RETURN)(box);
                           }}));
  EXPECT_NE(told.find(L"|Dateifehler: Zugriff verweigert|"), std::wstring::npos) << told;
  fw::SetMessageBoxPresenter(presenter);
  wchar_t after[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_STREQ(after, current) << "the current directory stays";
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(file.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
