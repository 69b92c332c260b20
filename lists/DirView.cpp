#include "lists/DirView.h"

#include "shell/KolbrinDoc.h"

namespace lists {

CDirView::CDirView(shell::CKolbrinDoc& doc, QWidget* parent) : QTreeView(parent) {
  SetDocument(&doc);
}

}  // namespace lists
