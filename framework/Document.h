// Document/view: a document keeps its views in the order they joined it and
// tells them about changes through UpdateAllViews.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/CmdTarget.h"

namespace fw {

using LPARAM = std::intptr_t;

class CView;

// Stand-in for the framework's object base; hint objects are never read.
class CObject {
 public:
  virtual ~CObject() = default;
};

class CDocument : public CCmdTarget {
 public:
  ~CDocument() override;

  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& Views() const { return m_views; }

  // Calls OnUpdate of every view except sender, in view order.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

 private:
  std::vector<CView*> m_views;
};

}  // namespace fw
