#include "shell/MainFrameCore.h"

#include "framework/CmdUI.h"
#include "shell/KolbrinDoc.h"

namespace shell {

const fw::RouteMap* CMainFrameCore::GetRouteMap() const {
  using fw::Route::Command;
  using fw::Route::Update;
  static const fw::RouteEntry entries[] = {
      Command<&CMainFrameCore::OnViewToolBar>(ID_VIEW_TOOLBAR),
      Update<&CMainFrameCore::OnUpdateViewToolBar>(ID_VIEW_TOOLBAR),
      Command<&CMainFrameCore::OnViewStatusBar>(ID_VIEW_STATUS_BAR),
      Update<&CMainFrameCore::OnUpdateViewStatusBar>(ID_VIEW_STATUS_BAR),
      Command<&CMainFrameCore::OnNextPane>(ID_NEXT_PANE),
      Command<&CMainFrameCore::OnPrevPane>(ID_PREV_PANE),
      Command<&CMainFrameCore::OnDriveInfo>(ID_VIEW_DRIVEINFO),
      Update<&CMainFrameCore::OnUpdateDriveInfo>(ID_VIEW_DRIVEINFO),
  };
  static const fw::RouteMap map{entries, nullptr};
  return &map;
}

bool CMainFrameCore::OnCmdMsg(fw::UINT nID, int nCode, void* pExtra, fw::AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (fw::CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return true;
  auto* doc = dynamic_cast<CKolbrinDoc*>(GetActiveDocument());
  if (doc == nullptr) return false;
  return doc->RouteCommandToViews(GetActiveView(), nID, nCode, pExtra, pHandlerInfo);
}

// Opens the drive information window, or closes it when it is open.
void CMainFrameCore::OnDriveInfo() {
  m_bDriveInfo = !m_bDriveInfo;
  if (m_bDriveInfo) {
    OpenDriveInfo();
  } else {
    CloseDriveInfo();
  }
}

void CMainFrameCore::OnUpdateDriveInfo(fw::CCmdUI* ui) { ui->SetCheck(m_bDriveInfo ? 1 : 0); }
void CMainFrameCore::OnUpdateViewToolBar(fw::CCmdUI* ui) { ui->SetCheck(IsBarShown(Bar::kToolBar) ? 1 : 0); }
void CMainFrameCore::OnUpdateViewStatusBar(fw::CCmdUI* ui) { ui->SetCheck(IsBarShown(Bar::kStatusBar) ? 1 : 0); }

// Round the panes in view order, from the active one (the first when none is).
void CMainFrameCore::MovePaneFocus(int step) {
  const int n = PaneCount();
  if (n <= 0) return;
  const int current = ActivePane() < 0 ? 0 : ActivePane();
  ActivatePane(((current + step) % n + n) % n);
}

}  // namespace shell
