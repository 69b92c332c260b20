#pragma once

#include "framework/Document.h"

namespace fw {

class CView : public CCmdTarget {
 public:
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  void SetDocument(CDocument* doc);  // joins the document (or leaves it with nullptr)

  // A repaint-only hint repaints; otherwise the hint carries what changed.
  virtual void OnUpdate(CView* sender, const UpdateHint& hint);
  virtual void OnInitialUpdate() { OnUpdate(nullptr, UpdateHint()); }

  // A view's command handlers come first, then its document's.
  bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  // Repaint on a repaint-only hint; the widget side overrides it.
  virtual void Invalidate() {}

 private:
  CDocument* m_pDocument = nullptr;
};

}  // namespace fw
