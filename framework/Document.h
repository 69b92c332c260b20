// Document/view: a document keeps its views in the order they joined it and
// tells them about changes through UpdateAllViews.
#pragma once

#include <vector>

#include "framework/CmdTarget.h"
#include "framework/UpdateHint.h"

namespace fw {

class CView;

class CDocument : public CCmdTarget {
 public:
  ~CDocument() override;

  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& Views() const { return m_views; }

  // Calls OnUpdate of every view except sender, in view order.
  void UpdateAllViews(CView* sender, const UpdateHint& hint = UpdateHint());

 private:
  std::vector<CView*> m_views;
};

}  // namespace fw
