// The splitter under the mouse, the message box and the resources Windows
// itself reads.
#include <gtest/gtest.h>

#include "framework/AppMessageBox.h"
#include "framework/win32/MessageBoxPresenter.h"
#include "framework/win32/SplitterWnd.h"
#include "res/resource.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using win32test::ClassOf;
using win32test::Edges;
using win32test::EdgesOf;
using win32test::TextOf;

TEST(Win32MessageBox, BoxShowsTheTextUnderTheProgramsTitleAndGivesTheButtonPressed) {
  win32test::CHostWindow owner;
  const auto previous = fw::SetMessageBoxPresenter(fw::win32::MessageBoxPresenterFor([&] { return owner.Handle(); }));
  std::wstring title, text;
  int buttons = 0;
  HICON icon = nullptr;
  const auto answer = [&](UINT key) {
    return [&, key](HWND box) {
      title = TextOf(box);
      EXPECT_EQ(::GetWindow(box, GW_OWNER), owner.Handle());
      for (HWND c : win32test::Children(box)) {
        if (ClassOf(c) == L"Static" && !TextOf(c).empty()) text = TextOf(c);
        if (const auto i = reinterpret_cast<HICON>(::SendMessageW(c, STM_GETICON, 0, 0))) icon = i;
        buttons += ClassOf(c) == L"Button";
      }
      win32test::PostKey(::GetFocus(), key);
    };
  };
  {
    win32test::CModalWatcher watcher(answer(VK_RETURN));
    EXPECT_EQ(fw::AppMessageBox(nullptr, fw::MSG_ERROR, IDS_FILE_ERROR, "Zugriff verweigert"), IDOK);
  }
  EXPECT_EQ(title, L"Kolbrin");
  EXPECT_EQ(text, L"Dateifehler: Zugriff verweigert");
  EXPECT_EQ(std::pair(icon, std::exchange(buttons, 0)), std::pair(::LoadIconW(nullptr, IDI_HAND), 1));
  win32test::CModalWatcher watcher(answer(VK_ESCAPE));
  EXPECT_EQ(fw::AppMessageBox(nullptr, fw::MSG_YESNOCANCEL, IDS_FILE_ERROR, "x"), IDCANCEL);
  EXPECT_EQ(std::pair(icon, buttons), std::pair(::LoadIconW(nullptr, IDI_QUESTION), 3));
  fw::SetMessageBoxPresenter(previous);
}

TEST(Win32Splitter, PanesMeetTheBarWhichTheMouseDragsWithinTheSplitter) {
  for (const auto split : {fw::win32::CSplitterWnd::Split::kColumns, fw::win32::CSplitterWnd::Split::kRows}) {
    const bool columns = split == fw::win32::CSplitterWnd::Split::kColumns;
    win32test::CHostWindow host;
    fw::win32::CSplitterWnd splitter(split);
    ASSERT_TRUE(splitter.Create(host.Handle(), 1));
    splitter.Move({0, 0, 400, 300});
    const auto pane = [&] { return fw::win32::CWindow::CreateChild(splitter.Handle(), L"Static", SS_WHITERECT, 0); };
    splitter.SetPanes(pane(), pane());
    splitter.SetPosition(100);
    const int bar = splitter.BarSize();
    const int size = columns ? 400 : 300;
    // Start and end of each pane along the split.
    const auto span = [&](int i) {
      const Edges e = EdgesOf(splitter.Pane(i), splitter.Handle());
      return columns ? std::pair(e[0], e[2]) : std::pair(e[1], e[3]);
    };
    EXPECT_EQ(span(0), std::pair(0L, 100L));
    EXPECT_EQ(span(1), std::pair(100L + bar, static_cast<LONG>(size)));

    // Grabbed in the middle of the bar and moved by 50 pixels; dragged past
    // the end the second pane shrinks to nothing, not below; released, the
    // mouse no longer drags.
    const auto at = [&](int along) { return columns ? MAKELPARAM(along, 10) : MAKELPARAM(10, along); };
    splitter.SendMsg(WM_LBUTTONDOWN, MK_LBUTTON, at(100 + bar / 2));
    splitter.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, at(150 + bar / 2));
    EXPECT_EQ(span(0), std::pair(0L, 150L));
    splitter.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, at(5000));
    EXPECT_EQ(span(1), std::pair(static_cast<LONG>(size), static_cast<LONG>(size)));
    splitter.SendMsg(WM_LBUTTONUP, 0, at(5000));
    splitter.SendMsg(WM_MOUSEMOVE, 0, at(20));
    EXPECT_EQ(splitter.Position(), size - bar);

    splitter.SetPosition(120);  // a resize keeps the first pane's size
    splitter.Move({0, 0, 600, 500});
    EXPECT_EQ(std::pair(span(0).second, span(1).second), std::pair(120L, columns ? 600L : 500L));
  }
}

TEST(Win32Resources, PicturesLoadByTheirIdsAndTheVersionRecordIsGerman) {
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  EXPECT_NE(::LoadImageW(self, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 16, 16, 0), nullptr);
  for (const auto& [id, cx, cy] : {std::tuple{IDB_TOOLBAR, 80L, 15L}, std::tuple{IDB_TREE_IMAGES, 80L, 15L},
                                   std::tuple{IDB_FILE_SMALL, 16L, 16L}, std::tuple{IDB_FILE_LARGE, 32L, 32L}}) {
    const auto bmp = static_cast<HBITMAP>(::LoadImageW(self, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info{};
    EXPECT_TRUE(bmp != nullptr && ::GetObjectW(bmp, sizeof info, &info)) << id;
    EXPECT_EQ(std::pair(info.bmWidth, info.bmHeight), std::pair(cx, cy)) << id;
    ::DeleteObject(bmp);
  }

  wchar_t file[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, file, MAX_PATH);
  std::vector<BYTE> block(::GetFileVersionInfoSizeW(file, nullptr));
  ASSERT_TRUE(!block.empty() && ::GetFileVersionInfoW(file, 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::tuple(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionLS, fixed->dwFileType),
            std::tuple(0x10000ul, 5ul, 1ul, static_cast<DWORD>(VFT_APP)));
  for (const auto& [name, want] : {std::pair{L"FileVersion", L"1, 0, 0, 5"}, {L"ProductVersion", L"1, 0, 0, 1"},
                                   {L"FileDescription", L"Anzeigen von Verzeichnissen"}, {L"InternalName", L"Kolbrin"},
                                   {L"OriginalFilename", L"Kolbrin.EXE"}, {L"ProductName", L"Kolbrin Application"}}) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040704b0\\") + name;
    EXPECT_TRUE(::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
    EXPECT_STREQ(value, want);
  }
}

}  // namespace
