// The real kolbrin.exe, started as its own process and driven from outside
// through its windows: the frame, its menu, toolbar and about box, the
// placement it keeps in the registry, and the command line.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "res/resource.h"
#include "tests/win32/app/Driver.h"
#include "tests/win32/support/TestPrinter.h"

namespace {

using driver::CKolbrinProcess;
using win32test::Child;
using win32test::TextOf;
using win32test::Edges;
using win32test::EdgesOf;

constexpr wchar_t kFrameClass[] = L"KolbrinFrame";

class KolbrinApp : public testing::Test {
 protected:
  void SetUp() override { driver::ForgetSettings(); }
  static void Close(CKolbrinProcess& kolbrin, HWND frame) {
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolbrin.WaitForExit(), 0);
  }
  const LONG cx = ::GetSystemMetrics(SM_CXSCREEN);
  const LONG cy = ::GetSystemMetrics(SM_CYSCREEN);
};

// The program started on a fresh registry with its frame up, and closed as
// the close box closes it.
class KolbrinFrame : public KolbrinApp {
 protected:
  void SetUp() override {
    KolbrinApp::SetUp();
    ASSERT_NE(frame = kolbrin.emplace().WaitForWindow(kFrameClass), nullptr);
  }
  void TearDown() override {
    if (frame != nullptr) Close(*kolbrin, frame);
  }
  std::optional<CKolbrinProcess> kolbrin;
  HWND frame = nullptr;
};

TEST_F(KolbrinFrame, FirstStartShowsTheFrameWithItsPanesBarsAndTheMiddleOfTheScreen) {
  EXPECT_EQ(TextOf(frame), L"Kolbrin");
  EXPECT_EQ(EdgesOf(frame), (Edges{cx / 10, cy / 10, cx - cx / 10, cy - cy / 10}));

  // The tree a quarter of the frame's width, the two lists of one height,
  // between toolbar and status bar.
  const HWND toolbar = Child(frame, TOOLBARCLASSNAMEW);
  const HWND status = Child(frame, STATUSCLASSNAMEW);
  const HWND tree = Child(frame, L"KolbrinDriveTree", L"Laufwerke und Verzeichnisse");
  const HWND files = Child(frame, L"KolbrinListPane", L"Dateien");
  const HWND dirs = Child(frame, L"KolbrinListPane", L"Verzeichnisinformation");
  ASSERT_TRUE(toolbar && status && tree && files && dirs);
  RECT client{};
  ::GetClientRect(frame, &client);
  const Edges t = EdgesOf(tree), f = EdgesOf(files), d = EdgesOf(dirs);
  EXPECT_EQ(t[2] - t[0], client.right / 4);
  EXPECT_LE(std::abs((f[3] - f[1]) - (d[3] - d[1])), 1);
  EXPECT_TRUE(t[2] < f[0] && f[3] < d[1] && f[0] == d[0] && t[1] == f[1] && t[3] == d[3]);
  EXPECT_TRUE(EdgesOf(toolbar)[3] <= t[1] && EdgesOf(status)[1] >= t[3]);
  EXPECT_EQ(TextOf(status), L"Bereit");

  // F6 moves the focus on from pane to pane, round, to each pane's control.
  GUITHREADINFO gui{sizeof gui, 0, {}, {}, {}, {}, {}, {}, {}};
  const DWORD thread = ::GetWindowThreadProcessId(frame, nullptr);
  const auto focus = [&] { return ::GetGUIThreadInfo(thread, &gui) ? gui.hwndFocus : nullptr; };
  EXPECT_TRUE(driver::WaitFor([&] { return ::GetParent(focus()) == tree; }));
  for (const HWND next : {files, dirs, tree}) {
    win32test::PostKey(focus(), VK_F6);
    EXPECT_TRUE(driver::WaitFor([&] { return ::GetParent(focus()) == next; }));
  }
}

TEST_F(KolbrinFrame, F10OpensTheMenuWhoseItemsOpenTheAboutBoxAndThePrinterSetupThatReturnAndEscClose) {
  ASSERT_TRUE(win32test::InstallTestPrinters());
  const HWND status = Child(frame, STATUSCLASSNAMEW);

  // F10 selects the menu bar's first popup; Right twice goes to "&?", Down
  // opens it with its first item highlighted, whose prompt pane 0 shows.
  win32test::PostKeys(frame, {VK_F10, VK_RIGHT, VK_RIGHT, VK_DOWN});
  EXPECT_NE(kolbrin->WaitForWindow(L"#32768"), nullptr) << "an open popup menu";
  const std::wstring prompt = L"Zeigt Programm-, Versions- und Copyrightinformationen an.";
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(status) == prompt; })) << testing::PrintToString(TextOf(status));
  win32test::PostKey(frame, VK_RETURN);

  const HWND about = kolbrin->WaitForWindow(L"#32770", L"Info \u00FCber Kolbrin");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(::GetWindow(about, GW_OWNER), frame);
  EXPECT_NE(Child(about, L"Static", L"Kolbrin, Version 1,0,0,5"), nullptr);
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(status) == L"Bereit"; })) << "the menu closed";
  win32test::PostKey(about, VK_RETURN);
  EXPECT_TRUE(driver::WaitFor([&] { return !::IsWindow(about); }));

  // "Druckereinrichtung" by its mnemonic: the system's dialog over the frame.
  win32test::PostKeys(frame, {VK_F10, VK_DOWN, 'E'});
  const HWND setup = kolbrin->WaitForWindow(L"#32770", L"Druckereinrichtung");
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(::GetWindow(setup, GW_OWNER), frame);
  win32test::PostKey(setup, VK_ESCAPE);
  EXPECT_TRUE(driver::WaitFor([&] { return !::IsWindow(setup); }));
}

// Clicks the middle of a toolbar button that has no separator before it.
// (Wine does not pass mouse buttons that one program sends to another's
// window, so the click is posted.)
void ClickToolbarButton(HWND toolbar, UINT id) {
  const auto index = static_cast<int>(::SendMessageW(toolbar, TB_COMMANDTOINDEX, id, 0));
  const auto size = static_cast<DWORD>(::SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
  const LPARAM middle = MAKELPARAM((2 * index + 1) * LOWORD(size) / 2, HIWORD(size) / 2);
  ::PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  ::PostMessageW(toolbar, WM_LBUTTONUP, 0, middle);
}

TEST_F(KolbrinFrame, ToolbarButtonsShowPromptAndTooltipAndDriveInformationOpensAndClosesWithItsCheck) {
  const HWND status = Child(frame, STATUSCLASSNAMEW);
  const HWND toolbar = Child(frame, TOOLBARCLASSNAMEW);
  const Edges bar = EdgesOf(toolbar);

  // The mouse goes along the bar until it rests on the exit button. Its
  // tooltip is asked to show at once: Wine's timing of tooltips under a
  // warped pointer is not to be relied on.
  bool found = false;
  for (LONG x = bar[0] + 2; x < bar[2] && !found; x += 4) {
    ::SetCursorPos(x, (bar[1] + bar[3]) / 2);
    found = driver::WaitFor([&] { return TextOf(status) == L"Verl\u00E4\u00DFt die Anwendung"; }, 100);
  }
  ASSERT_TRUE(found) << testing::PrintToString(TextOf(status));
  const auto tip = reinterpret_cast<HWND>(::SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  ::SendMessageW(tip, TTM_POPUP, 0, 0);
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(tip) == L"Programmende"; })) << testing::PrintToString(TextOf(tip));
  ::SetCursorPos(bar[0] + 2, bar[3] + 100);  // off the bar, pane 0 is idle again
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(status) == L"Bereit"; }));

  // The drive information button opens its window, which the button or Esc
  // closes; its check is the one the menu item gets (Wine lets no other
  // program read a menu's items).
  const auto checked = [&] { return ::SendMessageW(toolbar, TB_ISBUTTONCHECKED, ID_VIEW_DRIVEINFO, 0) != 0; };
  ClickToolbarButton(toolbar, ID_VIEW_DRIVEINFO);
  HWND info = kolbrin->WaitForWindow(L"#32770", L"Laufwerksinformation");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(::GetWindow(info, GW_OWNER), frame);
  EXPECT_TRUE(driver::WaitFor(checked));
  ClickToolbarButton(toolbar, ID_VIEW_DRIVEINFO);
  EXPECT_TRUE(driver::WaitFor([&] { return !::IsWindow(info) && !checked(); }));
  ClickToolbarButton(toolbar, ID_VIEW_DRIVEINFO);
  ASSERT_NE(info = kolbrin->WaitForWindow(L"#32770", L"Laufwerksinformation"), nullptr);
  win32test::PostKey(::GetDlgItem(info, IDC_LIST_DRIVES), VK_ESCAPE);
  EXPECT_TRUE(driver::WaitFor([&] { return !::IsWindow(info) && !checked(); }));
}

TEST_F(KolbrinApp, ClosingKeepsThePlacementInTheRegistryAndTheNextStartRestoresIt) {
  const wchar_t* names[] = {L"X0", L"Y0", L"X1", L"Y1", L"SHOW"};
  const auto d = [](LONG v) { return static_cast<DWORD>(v); };
  // First none is kept, and the middle of the screen is written when the
  // window goes. Then a placement of its own comes back; maximised, it
  // comes back maximised and its normal rectangle is kept again. (Wine
  // tells another process only the current rectangle, not the normal one.)
  for (const DWORD show : {0u, 1u, 3u}) {
    const std::array<DWORD, 5> placement =
        show == 0 ? std::array{d(cx / 10), d(cy / 10), d(cx - cx / 10), d(cy - cy / 10), 1ul}
                  : std::array{100ul, 80ul, 700ul, 500ul, show};
    for (std::size_t i = 0; show != 0 && i < placement.size(); ++i) {
      driver::WriteUserValue(driver::kPositionKey, names[i], placement[i]);
    }
    CKolbrinProcess kolbrin;
    const HWND frame = kolbrin.WaitForWindow(kFrameClass);
    ASSERT_NE(frame, nullptr);
    DWORD value = 0;
    EXPECT_TRUE(show != 0 || !driver::ReadPosition(L"X0", value)) << "written only when the window goes";
    EXPECT_EQ(::IsZoomed(frame) != FALSE, show == 3);
    EXPECT_TRUE(show != 1 || EdgesOf(frame) == (Edges{100, 80, 700, 500}));
    Close(kolbrin, frame);
    std::array<DWORD, 5> stored{};
    for (std::size_t i = 0; i < stored.size(); ++i) EXPECT_TRUE(driver::ReadPosition(names[i], stored[i])) << i;
    EXPECT_EQ(stored, placement) << show;
  }
}

// The text of a message box of the process, and the box closed with Return.
std::wstring AnswerBox(CKolbrinProcess& kolbrin) {
  const HWND box = kolbrin.WaitForWindow(L"#32770", L"Kolbrin");
  std::wstring text;
  for (HWND h : win32test::Children(box)) {
    if (win32test::ClassOf(h) == L"Static" && TextOf(h).size() > text.size()) text = TextOf(h);
  }
  win32test::PostKey(box, VK_RETURN);
  return text;
}

TEST_F(KolbrinApp, CommandLineHelpAndAMissingDirectoryAnswerInABox) {
  {
    CKolbrinProcess kolbrin(L"--help");
    const std::wstring text = AnswerBox(kolbrin);
    EXPECT_EQ(text.substr(0, text.find(L'\n')), L"Aufruf: kolbrin [Optionen] [VERZEICHNIS]");
    EXPECT_EQ(kolbrin.WaitForExit(), 0);
  }
  CKolbrinProcess kolbrin(L"C:\\gibt-es-nicht");  // told, and the program starts
  EXPECT_EQ(AnswerBox(kolbrin), L"kolbrin: \u201EC:\\gibt-es-nicht\u201C gibt es nicht.");
  const HWND frame = kolbrin.WaitForWindow(kFrameClass);
  ASSERT_NE(frame, nullptr);
  Close(kolbrin, frame);
}

}  // namespace
