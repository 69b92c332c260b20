// The directory list pane on Windows: the core directory view shown by the
// list window, always in the details style.
#pragma once

#include "lists/DirView.h"
#include "lists/win32/ListPaneWnd.h"

namespace lists::win32 {

class CDirView : public CListPane<lists::CDirView> {
 public:
  CDirView(fw::CPathDocument& doc, const fw::win32::CModalWait& wait) : CListPane(doc, wait, IDS_NAME_DIR_LIST) {}
};

}  // namespace lists::win32
