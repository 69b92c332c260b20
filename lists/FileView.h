// The file list pane.
#pragma once

#include <QTreeView>

#include "framework/View.h"

namespace shell {
class CKolbrinDoc;
}

namespace lists {

class CFileView : public QTreeView, public fw::CView {
 public:
  CFileView(shell::CKolbrinDoc& doc, QWidget* parent);
};

}  // namespace lists
