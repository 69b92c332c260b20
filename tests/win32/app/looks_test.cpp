// Pictures of the frame and the about box at 100, 150 and 200 per cent, for
// a person to look at (the test script turns them into PNG files). The
// scale is Wine's LogPixels, which each new process reads.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/win32/app/Driver.h"

namespace {

void SetLogPixels(DWORD dpi) {
  HKEY key = nullptr;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  ::RegCloseKey(key);
}

TEST(KolbrinLooks, FrameAndAboutBoxAtThreeScales) {
  const std::wstring folder = win32test::LooksFolder(KOLBRIN_LOOKS_DIR);
  driver::ForgetSettings();
  LONG lastToolBarHeight = 0;
  for (const DWORD dpi : {96u, 144u, 192u}) {
    SetLogPixels(dpi);
    const std::wstring suffix = std::to_wstring(dpi * 100 / 96) + L".bmp";
    driver::CKolbrinProcess kolbrin;
    const HWND frame = kolbrin.WaitForWindow(L"KolbrinFrame");
    ASSERT_NE(frame, nullptr) << dpi;
    // The program runs at the screen's scale: the toolbar's buttons grow.
    RECT toolbar{};
    ::GetWindowRect(::FindWindowExW(frame, nullptr, TOOLBARCLASSNAMEW, nullptr), &toolbar);
    EXPECT_GT(toolbar.bottom - toolbar.top, std::max(lastToolBarHeight, static_cast<LONG>(15 * dpi / 96))) << dpi;
    lastToolBarHeight = toolbar.bottom - toolbar.top;
    EXPECT_TRUE(win32test::SaveScreenshot(frame, folder + L"\\frame-" + suffix));

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
