// The drive tree: the left pane. Lists the drives, reads a directory's
// subdirectories only when it is expanded, and puts the selected item's
// full path into the document, which tells both lists.
//
// Qt's tree would open an item by itself. Here the view never does: every
// road that opens an item (button click, double click, Right, the keypad's
// '+' and '*', a call of Expand) goes through ExpandItem, which asks the
// expansion notification first and leaves the item closed when it refuses.
// Typed characters, the main keyboard's '+', '-' and '*' among them, search
// the open items by name.
#pragma once

#include <QTreeView>
#include <string>

#include "framework/IncrementalSearch.h"
#include "framework/View.h"
#include "tree/DriveTree.h"

namespace fw {
class CCmdUI;
class CPathDocument;
class JobRunner;
}
namespace fw::qt {
class CommandActions;
}

namespace tree {

class DriveTreeModel;

class CDriveView : public QTreeView, public fw::CView {
 public:
  // runner waits for the listings (it must outlive the view).
  CDriveView(fw::CPathDocument& doc, fw::JobRunner& runner, QWidget* parent);
  ~CDriveView() override;

  // The frame's commands, for the context menu.
  void SetCommandActions(fw::qt::CommandActions* actions) { m_actions = actions; }
  // Gives the lists the first selection once the frame is complete: the
  // first drive becomes the selected item unless one already is.
  void ReselectCurrent();

  // Opens an item after the expansion notification agreed; false when it
  // refused or there was nothing to open.
  bool ExpandItem(const QModelIndex& index);
  // Closes an item and throws its subtree away.
  void CollapseItem(const QModelIndex& index);
  // Opens the items on the way to path one level after the other, as the
  // user would, and selects the deepest one reached. False when no drive
  // holds path.
  bool SelectPath(const std::string& path);

  DriveTreeModel* Model() const { return m_model; }
  // The full path of an item as exact bytes.
  std::string GetItemPath(const QModelIndex& index) const;

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  void Invalidate() override;
  // Stores the path in the document and tells the other views.
  virtual void SetDocumentPath(const std::string& path);

  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  void OnSelChanged(const QModelIndex& current);
  void OnRButtonDown(const QPoint& point);
  void OnUpdatePrint(fw::CCmdUI* ui);
  void ShowContextMenu(const QPoint& globalPos);

  bool HandleExpansionKey(int key, bool keypad);
  void SearchTyped(const QKeyEvent& event);
  void ToggleItem(const QModelIndex& index);
  QRect ButtonRect(const QModelIndex& index) const;
  bool IsBelow(const QModelIndex& ancestor, const QModelIndex& index) const;
  QModelIndex ChildNamed(const QModelIndex& parent, const std::string& name) const;
  void OnExpandedElsewhere(const QModelIndex& index);
  void OnCollapsedElsewhere(const QModelIndex& index);

  fw::CPathDocument& m_doc;
  DriveTreeModel* m_model;
  CDriveTree m_tree;
  fw::qt::CommandActions* m_actions = nullptr;
  fw::CIncrementalSearch m_search;
  // Set while this view itself opens or closes an item.
  bool m_ownExpansion = false;
};

}  // namespace tree
