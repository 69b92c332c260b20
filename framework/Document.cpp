#include "framework/Document.h"

#include <algorithm>

#include "framework/View.h"

namespace fw {

CDocument::~CDocument() {
  // Views outlive nothing of ours; let them forget us.
  auto views = m_views;
  for (CView* v : views) v->SetDocument(nullptr);
}

void CDocument::AddView(CView* view) {
  if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void CDocument::RemoveView(CView* view) { std::erase(m_views, view); }

void CDocument::UpdateAllViews(CView* sender, const UpdateHint& hint) {
  // Copy: an update must not be disturbed by a view leaving meanwhile.
  const auto views = m_views;
  for (CView* v : views) {
    if (v != sender) v->OnUpdate(sender, hint);
  }
}

}  // namespace fw
