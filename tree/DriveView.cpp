#include "tree/DriveView.h"

#include "shell/KolbrinDoc.h"

namespace tree {

CDriveView::CDriveView(shell::CKolbrinDoc& doc, QWidget* parent) : QTreeView(parent) {
  SetDocument(&doc);
}

}  // namespace tree
