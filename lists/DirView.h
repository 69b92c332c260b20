// The dir list pane.
#pragma once

#include <QTreeView>

#include "framework/View.h"

namespace shell {
class CKolbrinDoc;
}

namespace lists {

class CDirView : public QTreeView, public fw::CView {
 public:
  CDirView(shell::CKolbrinDoc& doc, QWidget* parent);
};

}  // namespace lists
