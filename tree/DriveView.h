// The drive tree pane without its widget: the drives and their directories
// (CDriveTree), the selected item's full path put into the document, print
// and preview disabled while it is active, and the way to a path opened one
// level after the other as the user would. The widget is the control the
// tree works on; it starts the view once it exists.
#pragma once

#include <memory>
#include <string>

#include "framework/View.h"
#include "tree/DriveTree.h"

namespace fw {
class CCmdUI;
class CPathDocument;
class JobRunner;
}  // namespace fw

namespace tree {

class CDriveView : public fw::CView {
 public:
  // runner waits for the listings; it must outlive the view.
  CDriveView(fw::CPathDocument& doc, fw::JobRunner& runner);
  ~CDriveView() override;

  // Inserts the drives into control, which shows the tree from then on.
  void Start(CTreeControl& control);

  CDriveTree& Tree() { return *m_tree; }
  const CDriveTree& Tree() const { return *m_tree; }

  // From the control: the selection moved to item (null for none); an item
  // is about to open or close (true refuses an expansion).
  void OnSelChanged(HTREEITEM item);
  bool OnItemExpanding(HTREEITEM item, ExpandAction action) { return m_tree->OnItemExpanding(item, action); }

  // Opens the items on the way to path one level after the other, as the
  // user would, and selects the deepest one reached. False when no drive
  // holds path.
  bool SelectPath(const std::string& path);
  // Gives the lists their first selection: the first fixed drive (the one
  // open), else the first drive, unless an item is selected already.
  void ReselectCurrent();

  void OnUpdatePrint(fw::CCmdUI* ui);

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  // Stores the path in the document, which tells the other views.
  virtual void SetDocumentPath(const std::string& path);

 private:
  HTREEITEM ChildNamed(HTREEITEM parent, const std::string& name) const;

  fw::CPathDocument& m_doc;
  fw::JobRunner& m_runner;
  CTreeControl* m_control = nullptr;
  std::unique_ptr<CDriveTree> m_tree;
};

}  // namespace tree
