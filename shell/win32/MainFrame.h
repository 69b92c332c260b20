// The main window on Windows: menu bar, accelerators, toolbar, status bar,
// the three panes in two splitters, the drive information window, the
// placement kept in the profile. What it decides (routing to every view,
// the bars, the drive information toggle, moving from pane to pane) is the
// core's (CMainFrameCore); pane 0 of its status bar is where long work
// tells what it waits for.
#pragma once

#include <array>
#include <string>

#include "driveinfo/win32/DriveInfoDlg.h"
#include "framework/StatusPane.h"
#include "framework/win32/AcceleratorTable.h"
#include "framework/win32/ImageList.h"
#include "framework/win32/SplitterWnd.h"
#include "framework/win32/StatusBarCtrl.h"
#include "framework/win32/ToolBarCtrl.h"
#include "framework/win32/WindowImpl.h"
#include "shell/MainFrameCore.h"
#include "shell/win32/PaneFactory.h"

namespace shell {
class CKolbrinDoc;
class CProfile;
}  // namespace shell

namespace shell::win32 {

class CMainFrame : public fw::win32::CWindowImpl, public CMainFrameCore, public fw::StatusPane {
 public:
  // wait: what waits for long work, for every pane; it must outlive the
  // frame.
  CMainFrame(CKolbrinDoc& doc, CProfile& profile, fw::CWinApp* app, CPaneFactory& panes, fw::win32::CModalWait& wait);
  ~CMainFrame() override;

  // Where the lists' print and preview go; set before Create.
  void SetListPrinting(output::win32::ListPrinting* printing) { m_printing = printing; }
  // Made hidden, with its bars and panes; false when any part failed.
  bool Create();
  // Takes the placement kept in the profile and shows the window; then the
  // tree opens startDirectory (empty: selects the first fixed drive) as the
  // user would, so that Esc gives up on a drive that does not answer.
  void ShowRestored(std::string startDirectory = {});

  // The frame's keys, before any window sees them.
  bool PreTranslateMessage(MSG& msg);
  // Toolbar buttons and lock-key indicators follow the program's state.
  void OnIdle();
  // Runs a command unless its update-UI disables it or a wait is on; what
  // it throws is reported.
  bool ExecuteCommand(fw::UINT id);

  // Pane 0 of the status bar.
  void SetMessageText(std::string_view text, bool immediate = false) override;
  std::string MessageText() const override;

 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;

  void OpenDriveInfo() override;
  void CloseDriveInfo() override;
  bool IsBarShown(Bar bar) const override;
  void ShowBar(Bar bar, bool show) override;
  int PaneCount() const override { return static_cast<int>(m_panes.size()); }
  int ActivePane() const override;
  void ActivatePane(int pane) override;

 private:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnNotify(WPARAM, LPARAM);
  LRESULT OnInitMenuPopup(WPARAM, LPARAM);
  LRESULT OnMenuSelect(WPARAM, LPARAM);
  LRESULT OnExitMenuLoop(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);
  LRESULT OnOpenStart(WPARAM, LPARAM);

  bool CreatePanes();
  void LoadToolBarImages();
  void LayoutBars();
  void RecalcLayout();
  void SetInitialPaneSizes();
  void SaveWindowPlacement() const;
  int PaneOfFocus() const;
  void SyncActiveView();
  fw::win32::CWindow BarWindow(Bar bar) const;
  void ShowPrompt(const std::wstring& text);
  void ShowIdlePrompt() { ShowPrompt(m_idleText); }

  CKolbrinDoc& m_doc;
  CProfile& m_profile;
  CPaneFactory& m_paneFactory;
  fw::win32::CModalWait& m_wait;
  output::win32::ListPrinting* m_printing = nullptr;
  fw::win32::CAcceleratorTable m_accelerators;
  fw::win32::CToolBarCtrl m_wndToolBar;
  fw::win32::CImageList m_toolBarImages;
  fw::win32::CStatusBarCtrl m_wndStatusBar;
  fw::win32::CSplitterWnd m_wndSplitter{fw::win32::CSplitterWnd::Split::kColumns};
  fw::win32::CSplitterWnd m_wndSplitterRight{fw::win32::CSplitterWnd::Split::kRows};
  std::array<PaneWindow, 3> m_panes{};
  driveinfo::win32::CDriveInfoDlg m_dlgDriveInfo;  // its window exists only while shown
  int m_focusPane = 0;              // the pane that had the focus last
  bool m_paneSizesPending = false;  // shown, but not yet at a size to divide
  std::array<int, 3> m_indicators{-1, -1, -1};  // shown state of caps, num, scroll; -1 unknown
  std::string m_startDirectory;
  bool m_started = false;  // the start has selected in the tree
  std::wstring m_idleText;
  std::wstring m_tooltip;  // the text a tooltip is showing
};

}  // namespace shell::win32
