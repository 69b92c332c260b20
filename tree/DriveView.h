// The drive tree: the left pane.
#pragma once

#include <QTreeView>

#include "framework/View.h"

namespace fw::ui {
class CommandActions;
}
namespace shell {
class CKolbrinDoc;
}

namespace tree {

class CDriveView : public QTreeView, public fw::CView {
 public:
  CDriveView(shell::CKolbrinDoc& doc, QWidget* parent);

  // The frame's commands, for the context menu.
  void SetCommandActions(fw::ui::CommandActions* actions) { m_actions = actions; }
  // Selects the selected item once more, so that the lists get the first
  // selection when the frame is complete.
  void ReselectCurrent() {}

 private:
  fw::ui::CommandActions* m_actions = nullptr;
};

}  // namespace tree
