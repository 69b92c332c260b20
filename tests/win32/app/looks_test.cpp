// Pictures of the frame with its panes, of the file list in each of its
// four styles and of the about box at 100, 150 and 200 per cent, for a
// person to look at (the test script turns them into PNG files). The scale
// is Wine's LogPixels, which each new process reads. The program is started
// on a folder of its own: the pictures wait until the list shows its files.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/win32/app/Driver.h"
#include "tests/win32/Win32TestFiles.h"

namespace {

void SetLogPixels(DWORD dpi) { driver::WriteUserValue(L"Control Panel\\Desktop", L"LogPixels", dpi); }

TEST(KolbrinLooks, FrameOnAStartDirectoryEveryListStyleAndAboutBoxAtThreeScales) {
  const std::wstring folder = win32test::LooksFolder(KOLBRIN_LOOKS_DIR);
  const win32test::TempFolder start(L"Kolbrin Bilder ");
  start.MakeDir(L"Unterordner");
  const wchar_t* names[] = {L"Brief an Anna.txt", L"Rechnung 2023.pdf", L"Übersicht.xlsx", L"a.ini",
                            L"ein sehr langer Dateiname, der kaum hineinpasst.doc"};
  for (std::size_t i = 0; i < std::size(names); ++i) start.MakeFile(names[i], std::string(1000 * i * i, 'x'));
  driver::ForgetSettings();
  LONG lastToolBarHeight = 0;
  for (const DWORD dpi : {96u, 144u, 192u}) {
    SetLogPixels(dpi);
    const std::wstring suffix = std::to_wstring(dpi * 100 / 96) + L".bmp";
    driver::CKolbrinProcess kolbrin(L"\"" + start.Path() + L"\"");
    const HWND frame = kolbrin.WaitForWindow(L"KolbrinFrame");
    ASSERT_NE(frame, nullptr) << dpi;
    // The program runs at the screen's scale: the toolbar's buttons grow.
    const win32test::Edges toolbar = win32test::EdgesOf(win32test::Child(frame, TOOLBARCLASSNAMEW));
    EXPECT_GT(toolbar[3] - toolbar[1], std::max(lastToolBarHeight, static_cast<LONG>(15 * dpi / 96))) << dpi;
    lastToolBarHeight = toolbar[3] - toolbar[1];
    // The start directory's files, read through the list's own count.
    const HWND pane = win32test::Child(frame, L"KolbrinListPane", L"Dateien");
    const HWND files = ::FindWindowExW(pane, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_TRUE(driver::WaitFor([&] { return ::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) == std::ssize(names); }));
    EXPECT_TRUE(win32test::SaveScreenshot(frame, folder + L"\\frame-" + suffix));

    for (const auto& [id, style, name] :
         {std::tuple{ID_VIEW_LARGEICON, LVS_ICON, L"large"}, {ID_VIEW_SMALLICON, LVS_SMALLICON, L"small"},
          {ID_VIEW_LIST, LVS_LIST, L"list"}, {ID_VIEW_DETAILS, LVS_REPORT, L"details"}}) {
      ::PostMessageW(frame, WM_COMMAND, id, 0);
      EXPECT_TRUE(driver::WaitFor([&] { return (::GetWindowLongPtrW(files, GWL_STYLE) & LVS_TYPEMASK) == style; }));
      EXPECT_TRUE(win32test::SaveScreenshot(::GetParent(files), folder + L"\\files-" + name + L"-" + suffix));
    }

    ::PostMessageW(frame, WM_COMMAND, ID_APP_ABOUT, 0);
    const HWND about = kolbrin.WaitForWindow(L"#32770", L"Info \u00FCber Kolbrin");
    ASSERT_NE(about, nullptr) << dpi;
    EXPECT_TRUE(win32test::SaveScreenshot(about, folder + L"\\about-" + suffix));
    win32test::PostKey(about, VK_RETURN);
    EXPECT_TRUE(driver::WaitFor([&] { return !::IsWindow(about); }));
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolbrin.WaitForExit(), 0);
  }
  SetLogPixels(96);
}

}  // namespace
