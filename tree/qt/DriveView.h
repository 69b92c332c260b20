// The drive tree in Qt: the left pane, a QTreeView over the tree's items
// showing the core drive view (tree/DriveView.h), which lists the drives,
// reads a directory's subdirectories only when it is expanded, and puts the
// selected item's full path into the document.
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
#include "tree/DriveView.h"

namespace fw::qt {
class CommandActions;
}

namespace tree::qt {

class DriveTreeModel;

class CDriveView : public tree::CDriveView, public QTreeView {
 public:
  // runner waits for the listings (it must outlive the view).
  CDriveView(fw::CPathDocument& doc, fw::JobRunner& runner, QWidget* parent);
  ~CDriveView() override;

  // The frame's commands, for the context menu.
  void SetCommandActions(fw::qt::CommandActions* actions) { m_actions = actions; }
  // Opens an item after the expansion notification agreed; false when it
  // refused or there was nothing to open.
  bool ExpandItem(const QModelIndex& index);
  // Closes an item and throws its subtree away.
  void CollapseItem(const QModelIndex& index);
  DriveTreeModel* Model() const { return m_model; }
  // The full path of an item as exact bytes.
  std::string GetItemPath(const QModelIndex& index) const;

 protected:
  void Invalidate() override;

  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  void OnCurrentChanged(const QModelIndex& current);
  void OnRButtonDown(const QPoint& point);
  void ShowContextMenu(const QPoint& globalPos);

  bool HandleExpansionKey(int key, bool keypad);
  void SearchTyped(const QKeyEvent& event);
  void ToggleItem(const QModelIndex& index);
  QRect ButtonRect(const QModelIndex& index) const;
  bool IsBelow(const QModelIndex& ancestor, const QModelIndex& index) const;
  void OnExpandedElsewhere(const QModelIndex& index);
  void OnCollapsedElsewhere(const QModelIndex& index);

  DriveTreeModel* m_model;
  fw::qt::CommandActions* m_actions = nullptr;
  fw::CIncrementalSearch m_search;
  // Set while this view itself opens or closes an item.
  bool m_ownExpansion = false;
};

}  // namespace tree::qt
