// The directory list pane in Qt: the core directory view shown by the list
// widgets.
#pragma once

#include "lists/DirView.h"
#include "lists/qt/ListWidgets.h"

namespace lists::qt {

class CDirView : public CListPane<lists::CDirView> {
 public:
  using CListPane::CListPane;
};

}  // namespace lists::qt
