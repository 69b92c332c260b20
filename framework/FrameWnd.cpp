#include "framework/FrameWnd.h"

namespace fw {

CDocument* CFrameWnd::GetActiveDocument() const {
  if (m_pActiveView != nullptr && m_pActiveView->GetDocument() != nullptr) {
    return m_pActiveView->GetDocument();
  }
  return m_pDocument;
}

bool CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (m_pActiveView != nullptr && m_pActiveView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
    return true;
  }
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return true;
  return m_pApp != nullptr && m_pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

}  // namespace fw
