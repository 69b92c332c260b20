// The print preview of a long list: open at once, each page drawn only when
// it is shown, paged forward and back by keys and buttons, two pages, zoom,
// printing from it, and closed with Esc.
#include <functional>

#include "framework/win32/ResText.h"
#include "output/win32/PrintPreview.h"
#include "tests/win32/gui/PrintFixture.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using namespace win32test;
using fw::win32::ResText;
using output::win32::CPrintPreview;

// The preview's messages, as its own loop takes them, until pred holds or
// five seconds have passed.
bool PumpUntil(CPrintPreview& preview, const std::function<bool()>& pred) {
  const ULONGLONG end = ::GetTickCount64() + 5000;
  MSG msg{};
  while (!pred()) {
    if (::GetTickCount64() > end) return false;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } else if (!preview.PreTranslateMessage(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

TEST_F(PrintTest, PreviewOfAHundredThousandRowsDrawsThePagesAsTheyAreShown) {
  GeneratedList list(100000);
  CHostWindow host;
  output::win32::CPrinterSettings settings;
  std::optional<CPrintPreview> preview(std::in_place, doc, list, settings, settings.CreateDC());
  ASSERT_TRUE(preview->Create(host.Handle()));
  const HWND window = preview->Handle(), pages = preview->PageView().Handle();
  const auto& cache = preview->PageView().Cache();
  const int rows = doc.PrintState().Metrics().rowsPerPage, last = 100000 / rows + 1;
  const auto shows = [&](int first) {
    return PumpUntil(*preview, [&] { return TextOf(Child(window, L"Edit")) == std::to_wstring(first) && cache.Holds(first); });
  };
  EXPECT_EQ(TextOf(window), L"Seitenansicht");
  EXPECT_NE(Child(window, L"Static", L"von " + std::to_wstring(last)), nullptr);
  ASSERT_TRUE(shows(1));
  EXPECT_LE(list.reads, 3 * rows);  // the first page alone
  for (const auto& [key, first] : {std::pair{VK_NEXT, 2}, {VK_NEXT, 3}, {VK_END, last}, {VK_PRIOR, last - 1},
                                   {VK_HOME, 1}}) {
    PostKey(pages, key);
    EXPECT_TRUE(shows(first)) << first;
  }
  EXPECT_LE(list.reads, 5 * 3 * rows);
  EXPECT_LE(cache.Size(), 6u);

  ::PostMessageW(Child(window, L"Button", ResText(IDS_PREVIEW_TWO_PAGES)), BM_CLICK, 0, 0);
  // Smaller pages: the two are drawn anew, and nothing else is held.
  EXPECT_TRUE(PumpUntil(*preview, [&] {
    return Child(window, L"Button", ResText(IDS_PREVIEW_ONE_PAGE)) != nullptr && cache.Size() == 2 &&
           cache.Holds(1) && cache.Holds(2);
  }));
  PostKey(pages, VK_ADD);
  EXPECT_TRUE(PumpUntil(*preview, [&] {
    SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    return ::GetScrollInfo(pages, SB_VERT, &bar) && bar.nMax >= static_cast<int>(bar.nPage);
  }));

  // Printing from it: the print dialog, then the preview goes on.
  ::DeleteFileW(kTestPrinterFile);
  CModalWatcher watcher([](HWND dialog) {
    ChoosePages(dialog, 2, 2);
    Press(dialog, IDOK);
  });
  ::PostMessageW(Child(window, L"Button", ResText(IDS_PREVIEW_PRINT)), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil(*preview, [] { return Printed().find("%%Pages: 1") != std::string::npos; }));
  EXPECT_TRUE(doc.PrintState().Font().has_value());

  PostKey(pages, VK_ESCAPE);
  preview->RunModal();
  EXPECT_EQ(preview->Handle(), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(host.Handle()));
  preview.reset();
  EXPECT_FALSE(doc.PrintState().Font().has_value());
}

}  // namespace
