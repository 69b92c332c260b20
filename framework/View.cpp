#include "framework/View.h"

namespace fw {

CView::~CView() { SetDocument(nullptr); }

void CView::SetDocument(CDocument* doc) {
  if (m_pDocument == doc) return;
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
  m_pDocument = doc;
  if (m_pDocument != nullptr) m_pDocument->AddView(this);
}

void CView::OnUpdate(CView*, const UpdateHint&) { Invalidate(); }

bool CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return true;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

}  // namespace fw
