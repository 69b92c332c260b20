// The main window on Windows: menu bar, accelerators, toolbar, status bar,
// the three panes in two splitters, the placement kept in the profile, and
// command routing that reaches every view.
#pragma once

#include <array>
#include <string>

#include "framework/FrameWnd.h"
#include "framework/win32/AcceleratorTable.h"
#include "framework/win32/ImageList.h"
#include "framework/win32/SplitterWnd.h"
#include "framework/win32/StatusBarCtrl.h"
#include "framework/win32/ToolBarCtrl.h"
#include "framework/win32/WindowImpl.h"
#include "shell/win32/PaneFactory.h"

namespace shell {
class CKolbrinDoc;
class CProfile;
}  // namespace shell

namespace shell::win32 {

class CMainFrame : public fw::win32::CWindowImpl, public fw::CFrameWnd {
 public:
  CMainFrame(CKolbrinDoc& doc, CProfile& profile, fw::CWinApp* app, CPaneFactory& panes);

  // Made hidden, with its bars and panes; false when any part failed.
  bool Create();
  // Takes the placement kept in the profile and shows the window.
  void ShowRestored();

  // The frame's keys, before any window sees them.
  bool PreTranslateMessage(MSG& msg);
  // Toolbar buttons and lock-key indicators follow the program's state.
  void OnIdle();

  // Runs a command unless its update-UI disables it.
  bool ExecuteCommand(fw::UINT id);
  // The framework's routing (active view, its document, frame, application),
  // then the document offers the command to every other view.
  bool OnCmdMsg(fw::UINT nID, int nCode, void* pExtra, fw::AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Pane 0 of the status bar.
  void SetMessageText(const std::wstring& text);

 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;
  const fw::RouteMap* GetRouteMap() const override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnNotify(WPARAM, LPARAM);
  LRESULT OnInitMenuPopup(WPARAM, LPARAM);
  LRESULT OnMenuSelect(WPARAM, LPARAM);
  LRESULT OnExitMenuLoop(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);

  void OnViewToolBar();
  void OnUpdateViewToolBar(fw::CCmdUI* ui);
  void OnViewStatusBar();
  void OnUpdateViewStatusBar(fw::CCmdUI* ui);
  void OnNextPane();
  void OnPrevPane();

  bool CreatePanes();
  void LoadToolBarImages();
  void LayoutBars();
  void RecalcLayout();
  void SetInitialPaneSizes();
  void SaveWindowPlacement() const;
  int PaneOfFocus() const;
  void MovePaneFocus(int step);
  void SyncActiveView();
  void ShowIdlePrompt() { SetMessageText(m_idleText); }

  CKolbrinDoc& m_doc;
  CProfile& m_profile;
  CPaneFactory& m_paneFactory;
  fw::win32::CAcceleratorTable m_accelerators;
  fw::win32::CToolBarCtrl m_wndToolBar;
  fw::win32::CImageList m_toolBarImages;
  fw::win32::CStatusBarCtrl m_wndStatusBar;
  fw::win32::CSplitterWnd m_wndSplitter{fw::win32::CSplitterWnd::Split::kColumns};
  fw::win32::CSplitterWnd m_wndSplitterRight{fw::win32::CSplitterWnd::Split::kRows};
  std::array<PaneWindow, 3> m_panes{};
  int m_focusPane = 0;              // the pane that had the focus last
  bool m_paneSizesPending = false;  // shown, but not yet at a size to divide
  std::array<int, 3> m_indicators{-1, -1, -1};  // shown state of caps, num, scroll; -1 unknown
  std::wstring m_idleText;
  std::wstring m_tooltip;  // the text a tooltip is showing
};

}  // namespace shell::win32
