#include "tree/DriveView.h"

#include "framework/CmdUI.h"
#include "framework/CommandFailure.h"
#include "framework/PathDocument.h"
#include "tree/TreePath.h"

namespace tree {

CDriveView::CDriveView(fw::CPathDocument& doc, fw::JobRunner& runner) : m_doc(doc), m_runner(runner) {
  SetDocument(&doc);
}

CDriveView::~CDriveView() = default;

void CDriveView::Start(CTreeControl& control) {
  m_control = &control;
  m_tree = std::make_unique<CDriveTree>(control, m_doc.FileSystem());
  // Listings run as jobs the runner waits for: a drive that stops
  // answering must not freeze the window.
  m_tree->SetRunner(m_runner);
  m_tree->AddDrives();
}

const fw::RouteMap* CDriveView::GetRouteMap() const {
  static const fw::RouteEntry entries[] = {
      fw::Route::Update<&CDriveView::OnUpdatePrint>(ID_FILE_PRINT),
      fw::Route::Update<&CDriveView::OnUpdatePrint>(ID_FILE_PRINT_PREVIEW),
  };
  static const fw::RouteMap map{entries, nullptr};
  return &map;
}

void CDriveView::OnUpdatePrint(fw::CCmdUI* ui) { ui->Enable(false); }

// A selection acts as a command does: what fails is told, the program goes on.
void CDriveView::OnSelChanged(HTREEITEM item) {
  if (item != nullptr) fw::RunReported([&] { SetDocumentPath(m_tree->GetItemPath(item)); });
}

void CDriveView::SetDocumentPath(const std::string& path) { m_doc.SetPath(this, path); }

bool CDriveView::SelectPath(const std::string& path) {
  std::vector<std::string> roots;
  for (HTREEITEM drive = m_control->GetChildItem(kRootItem); drive != nullptr;
       drive = m_control->GetNextSiblingItem(drive)) {
    roots.push_back(m_control->GetItemText(drive));
  }
  const std::optional<TreePath> way = SplitTreePath(path, roots);
  if (!way) return false;
  HTREEITEM item = m_control->GetChildItem(kRootItem);
  for (std::size_t i = 0; i < way->drive; ++i) item = m_control->GetNextSiblingItem(item);
  for (const std::string& name : way->names) {
    if (!m_control->IsExpanded(item)) m_control->Expand(item);
    const HTREEITEM child = ChildNamed(item, name);
    if (child == nullptr) break;  // not listed (it cannot be read): stop above it
    item = child;
  }
  m_control->SelectItem(item);
  return true;
}

HTREEITEM CDriveView::ChildNamed(HTREEITEM parent, const std::string& name) const {
  for (HTREEITEM child = m_control->GetChildItem(parent); child != nullptr;
       child = m_control->GetNextSiblingItem(child)) {
    if (m_control->GetItemText(child) == name) return child;
  }
  return nullptr;
}

void CDriveView::ReselectCurrent() {
  if (m_control->GetSelectedItem() != nullptr) return;  // the lists have had it already
  HTREEITEM first = m_tree->FirstFixedDrive();
  if (first == nullptr) first = m_control->GetChildItem(kRootItem);
  if (first != nullptr) m_control->SelectItem(first);
}

}  // namespace tree
