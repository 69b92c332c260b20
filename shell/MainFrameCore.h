// What the main window decides, without a widget: the second stage of the
// command routing (a command nobody of the first stage handles goes to the
// document's other views), the drive information window opened and closed
// by one command with a check mark that follows it, the toolbar and status
// bar shown and hidden, and the focus moved from pane to pane. The window of
// each front end derives from it and does what the hooks below ask.
#pragma once

#include "framework/FrameWnd.h"

namespace shell {

class CMainFrameCore : public fw::CFrameWnd {
 public:
  // The framework's routing first, then every other view of the document.
  bool OnCmdMsg(fw::UINT nID, int nCode, void* pExtra, fw::AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // The drive information window closed itself (close box, Esc, Enter).
  void OnDriveInfoClosed() { m_bDriveInfo = false; }
  bool IsDriveInfoOpen() const { return m_bDriveInfo; }

  void OnDriveInfo();
  void OnUpdateDriveInfo(fw::CCmdUI* ui);
  void OnViewToolBar() { ShowBar(Bar::kToolBar, !IsBarShown(Bar::kToolBar)); }
  void OnUpdateViewToolBar(fw::CCmdUI* ui);
  void OnViewStatusBar() { ShowBar(Bar::kStatusBar, !IsBarShown(Bar::kStatusBar)); }
  void OnUpdateViewStatusBar(fw::CCmdUI* ui);
  void OnNextPane() { MovePaneFocus(1); }
  void OnPrevPane() { MovePaneFocus(-1); }

 protected:
  enum class Bar { kToolBar, kStatusBar };

  const fw::RouteMap* GetRouteMap() const override;

  // What the window does.
  virtual void OpenDriveInfo() = 0;
  virtual void CloseDriveInfo() = 0;
  virtual bool IsBarShown(Bar bar) const = 0;
  virtual void ShowBar(Bar bar, bool show) = 0;
  // The panes in view order (tree, file list, directory list).
  virtual int PaneCount() const = 0;
  virtual int ActivePane() const = 0;  // -1 for none
  virtual void ActivatePane(int pane) = 0;

 private:
  void MovePaneFocus(int step);

  bool m_bDriveInfo = false;  // the drive information window is open
};

}  // namespace shell
