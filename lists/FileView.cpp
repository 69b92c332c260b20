#include "lists/FileView.h"

#include "shell/KolbrinDoc.h"

namespace lists {

CFileView::CFileView(shell::CKolbrinDoc& doc, QWidget* parent) : QTreeView(parent) {
  SetDocument(&doc);
}

}  // namespace lists
