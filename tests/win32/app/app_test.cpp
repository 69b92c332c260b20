// The real kolbrin.exe, started as its own process and driven from outside
// through its windows: the frame, its menu and about box, the placement it
// keeps in the registry, the command line, and pictures at three scales.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/app/Driver.h"

namespace {

using driver::CKolbrinProcess;
using driver::TextOf;

constexpr wchar_t kFrameClass[] = L"KolbrinFrame";
constexpr wchar_t kDialogClass[] = L"#32770";

HWND PaneNamed(HWND frame, const std::wstring& name) {
  for (HWND h : driver::Children(frame)) {
    if (driver::ClassOf(h) == L"KolbrinPane" && TextOf(h) == name) return h;
  }
  return nullptr;
}

HWND ChildOfClass(HWND parent, const wchar_t* cls) {
  for (HWND h : driver::Children(parent)) {
    if (driver::ClassOf(h) == cls) return h;
  }
  return nullptr;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

class KolbrinApp : public testing::Test {
 protected:
  void SetUp() override { driver::ForgetSettings(); }
  void TearDown() override { driver::ForgetSettings(); }
};

TEST_F(KolbrinApp, FirstStartShowsTheFrameWithItsPanesBarsAndTheMiddleOfTheScreen) {
  CKolbrinProcess kolbrin;
  ASSERT_TRUE(kolbrin.Started());
  const HWND frame = kolbrin.WaitForWindow(kFrameClass);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(TextOf(frame), L"Kolbrin");

  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ASSERT_TRUE(::GetWindowPlacement(frame, &wp));
  EXPECT_EQ(wp.rcNormalPosition.left, cx / 10);
  EXPECT_EQ(wp.rcNormalPosition.top, cy / 10);
  EXPECT_EQ(wp.rcNormalPosition.right, cx - cx / 10);
  EXPECT_EQ(wp.rcNormalPosition.bottom, cy - cy / 10);
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWNORMAL));

  // The tree a quarter of the frame's width, the two lists of one height.
  const HWND tree = PaneNamed(frame, L"Laufwerke und Verzeichnisse");
  const HWND files = PaneNamed(frame, L"Dateien");
  const HWND dirs = PaneNamed(frame, L"Verzeichnisinformation");
  ASSERT_TRUE(tree && files && dirs);
  const RECT client = driver::ClientRectOnScreen(frame);
  RECT t{}, f{}, d{};
  ::GetWindowRect(tree, &t);
  ::GetWindowRect(files, &f);
  ::GetWindowRect(dirs, &d);
  EXPECT_EQ(Width(t), Width(client) / 4);
  EXPECT_EQ(t.left, client.left);
  EXPECT_GT(f.left, t.right);
  EXPECT_EQ(f.right, client.right);
  EXPECT_LE(std::abs(Height(f) - Height(d)), 1);
  EXPECT_GT(d.top, f.bottom);
  EXPECT_EQ(t.top, f.top);
  EXPECT_EQ(t.bottom, d.bottom);

  const HWND toolbar = ChildOfClass(frame, TOOLBARCLASSNAMEW);
  const HWND status = ChildOfClass(frame, STATUSCLASSNAMEW);
  ASSERT_TRUE(toolbar && status);
  EXPECT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 7);
  RECT tb{}, sb{};
  ::GetWindowRect(toolbar, &tb);
  ::GetWindowRect(status, &sb);
  EXPECT_LE(tb.bottom, t.top);
  EXPECT_GE(sb.top, d.bottom);
  EXPECT_EQ(TextOf(status), L"Bereit");

  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(kolbrin.WaitForExit(), 0);
}

TEST_F(KolbrinApp, F10OpensTheMenuWhoseAboutItemOpensTheAboutBoxThatReturnCloses) {
  CKolbrinProcess kolbrin;
  const HWND frame = kolbrin.WaitForWindow(kFrameClass);
  ASSERT_NE(frame, nullptr);
  const HWND status = ChildOfClass(frame, STATUSCLASSNAMEW);

  // F10 selects the menu bar's first popup; Right twice goes to "&?", Down
  // opens it with its first item highlighted, whose prompt pane 0 shows.
  driver::PostKey(frame, VK_F10, true);
  driver::PostKey(frame, VK_RIGHT);
  driver::PostKey(frame, VK_RIGHT);
  driver::PostKey(frame, VK_DOWN);
  EXPECT_NE(kolbrin.WaitForWindow(L"#32768"), nullptr) << "an open popup menu";
  EXPECT_TRUE(driver::WaitFor(
      [&] { return TextOf(status) == L"Zeigt Programm-, Versions- und Copyrightinformationen an."; }))
      << "pane 0: " << testing::PrintToString(TextOf(status));
  driver::PostKey(frame, VK_RETURN);

  const HWND about = kolbrin.WaitForWindow(kDialogClass, L"Info \u00FCber Kolbrin");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(::GetWindow(about, GW_OWNER), frame);
  bool version = false;
  for (HWND h : driver::Children(about)) {
    version = version || TextOf(h) == L"Kolbrin, Version 1,0,0,5";
  }
  EXPECT_TRUE(version);
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(status) == L"Bereit"; })) << "the menu closed";

  driver::PostKey(about, VK_RETURN);
  EXPECT_TRUE(driver::WaitFor([&] { return !::IsWindow(about); }));
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(kolbrin.WaitForExit(), 0);
}

TEST_F(KolbrinApp, ClosingKeepsThePlacementInTheRegistryAndTheNextStartRestoresIt) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN);
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  {
    CKolbrinProcess kolbrin;
    const HWND frame = kolbrin.WaitForWindow(kFrameClass);
    ASSERT_NE(frame, nullptr);
    DWORD value = 0;
    EXPECT_FALSE(driver::ReadPosition(L"X0", value)) << "written only when the window goes";
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(kolbrin.WaitForExit(), 0);
  }
  const struct {
    const wchar_t* name;
    int want;
  } first[] = {{L"X0", cx / 10}, {L"Y0", cy / 10}, {L"X1", cx - cx / 10}, {L"Y1", cy - cy / 10}, {L"SHOW", 1}};
  for (const auto& v : first) {
    DWORD value = 0;
    EXPECT_TRUE(driver::ReadPosition(v.name, value)) << v.name;
    EXPECT_EQ(static_cast<int>(value), v.want) << v.name;
  }

  // A placement of its own comes back; maximised, it comes back maximised
  // and its normal rectangle is kept again. (Wine tells another process
  // only the current rectangle, not the normal one.)
  driver::WritePosition(L"X0", 100);
  driver::WritePosition(L"Y0", 80);
  driver::WritePosition(L"X1", 700);
  driver::WritePosition(L"Y1", 500);
  for (const DWORD show : {1u, 3u}) {
    driver::WritePosition(L"SHOW", show);
    CKolbrinProcess kolbrin;
    const HWND frame = kolbrin.WaitForWindow(kFrameClass);
    ASSERT_NE(frame, nullptr);
    RECT r{};
    ::GetWindowRect(frame, &r);
    EXPECT_EQ(::IsZoomed(frame) != FALSE, show == 3);
    if (show == 1) {
      EXPECT_EQ(r.left, 100);
      EXPECT_EQ(r.top, 80);
      EXPECT_EQ(r.right, 700);
      EXPECT_EQ(r.bottom, 500);
    }
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(kolbrin.WaitForExit(), 0);
    DWORD stored = 0, x0 = 0, y1 = 0;
    EXPECT_TRUE(driver::ReadPosition(L"SHOW", stored) && driver::ReadPosition(L"X0", x0) &&
                driver::ReadPosition(L"Y1", y1));
    EXPECT_EQ(stored, show);
    EXPECT_EQ(x0, 100u);
    EXPECT_EQ(y1, 500u);
  }
}

TEST_F(KolbrinApp, ToolbarButtonUnderTheMouseShowsItsPromptAndTooltip) {
  CKolbrinProcess kolbrin;
  const HWND frame = kolbrin.WaitForWindow(kFrameClass);
  ASSERT_NE(frame, nullptr);
  const HWND toolbar = ChildOfClass(frame, TOOLBARCLASSNAMEW);
  const HWND status = ChildOfClass(frame, STATUSCLASSNAMEW);
  RECT bar{};
  ::GetWindowRect(toolbar, &bar);

  // The mouse goes along the bar until it rests on the exit button.
  const std::wstring prompt = L"Verl\u00E4\u00DFt die Anwendung";
  bool found = false;
  for (LONG x = bar.left + 2; x < bar.right && !found; x += 4) {
    ::SetCursorPos(x, (bar.top + bar.bottom) / 2);
    found = driver::WaitFor([&] { return TextOf(status) == prompt; }, 100);
  }
  ASSERT_TRUE(found) << "pane 0: " << testing::PrintToString(TextOf(status));
  const HWND tip = kolbrin.WaitForWindow(L"tooltips_class32");
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(tip) == L"Programmende"; })) << testing::PrintToString(TextOf(tip));

  // Off the bar, pane 0 is idle again.
  ::SetCursorPos(bar.left + 2, bar.bottom + 100);
  EXPECT_TRUE(driver::WaitFor([&] { return TextOf(status) == L"Bereit"; }));
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(kolbrin.WaitForExit(), 0);
}

// The text of a message box of the process, and the box closed with Return.
std::wstring AnswerBox(CKolbrinProcess& kolbrin) {
  const HWND box = kolbrin.WaitForWindow(kDialogClass, L"Kolbrin");
  if (box == nullptr) return L"(no box)";
  std::wstring text;
  for (HWND h : driver::Children(box)) {
    if (driver::ClassOf(h) == L"Static" && TextOf(h).size() > text.size()) text = TextOf(h);
  }
  driver::PostKey(box, VK_RETURN);
  return text;
}

TEST_F(KolbrinApp, CommandLineHelpVersionAndWrongArgumentsAnswerInABox) {
  {
    CKolbrinProcess kolbrin(L"--help");
    const std::wstring text = AnswerBox(kolbrin);
    EXPECT_EQ(text.substr(0, text.find(L'\n')), L"Aufruf: kolbrin [Optionen] [VERZEICHNIS]");
    EXPECT_NE(text.find(L"Zeigt diese Hilfe an."), std::wstring::npos);
    EXPECT_EQ(kolbrin.WaitForExit(), 0);
  }
  {
    CKolbrinProcess kolbrin(L"--version");
    EXPECT_EQ(AnswerBox(kolbrin), L"Kolbrin 1.0.0.5\n");
    EXPECT_EQ(kolbrin.WaitForExit(), 0);
  }
  {
    CKolbrinProcess kolbrin(L"C:\\ D:\\");
    const std::wstring text = AnswerBox(kolbrin);
    EXPECT_EQ(text.substr(0, text.find(L'\n')), L"kolbrin: Bitte h\u00F6chstens ein Verzeichnis angeben.");
    EXPECT_EQ(kolbrin.WaitForExit(), 2);
  }
  {
    // A directory that is not there is told, and the program starts.
    CKolbrinProcess kolbrin(L"C:\\gibt-es-nicht");
    EXPECT_EQ(AnswerBox(kolbrin), L"kolbrin: \u201EC:\\gibt-es-nicht\u201C gibt es nicht.");
    const HWND frame = kolbrin.WaitForWindow(kFrameClass);
    ASSERT_NE(frame, nullptr);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolbrin.WaitForExit(), 0);
  }
}

}  // namespace
