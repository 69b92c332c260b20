// The widget-free half of a frame window: its active view, its document and
// the framework's first routing stage (active view, frame, application).
#pragma once

#include "framework/View.h"

namespace fw {

class CWinApp : public CCmdTarget {};

class CFrameWnd : public CCmdTarget {
 public:
  void SetApp(CWinApp* app) { m_pApp = app; }

  CView* GetActiveView() const { return m_pActiveView; }
  void SetActiveView(CView* view) { m_pActiveView = view; }

  // The active view's document, else the document set for the frame.
  CDocument* GetActiveDocument() const;
  void SetDocument(CDocument* doc) { m_pDocument = doc; }

  // Active view (and its document), then the frame's own table, then the app.
  bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 private:
  CWinApp* m_pApp = nullptr;
  CView* m_pActiveView = nullptr;
  CDocument* m_pDocument = nullptr;
};

}  // namespace fw
