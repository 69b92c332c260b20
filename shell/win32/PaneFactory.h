// The three panes of the main frame come from a factory that the
// application hands the frame. A pane is a window of its own (the view),
// made as a child of the splitter given; the controls it shows are its
// children, so their notifications reach the view itself. A view joins the
// document when it is made, so the views join in the panes' order: tree,
// file list, directory list, which is the order command routing follows.
#pragma once

#include "framework/View.h"
#include "framework/win32/WinApi.h"

namespace fw {
class StatusPane;
}
namespace fw::win32 {
class CModalWait;
}
namespace output::win32 {
class ListPrinting;
}
namespace tree {
class CDriveView;
}

namespace shell {
class CKolbrinDoc;
}

namespace shell::win32 {

enum class PaneSlot { kDriveTree, kFileList, kDirList };

// What the frame hands every pane.
struct PaneContext {
  CKolbrinDoc& doc;              // the document, and where print and export go
  fw::win32::CModalWait& wait;   // waits for long work, times typed keys
  fw::StatusPane& status;        // pane 0 of the status bar
  HWND commandWindow = nullptr;  // where a pane's own menu sends its commands
  output::win32::ListPrinting* printing = nullptr;  // print and preview; none yet when null
};

struct PaneWindow {
  HWND hwnd = nullptr;            // null: the pane could not be made
  fw::CView* view = nullptr;      // null for a pane without commands
  tree::CDriveView* tree = nullptr;  // the drive tree's view, which the start selects in
};

class CPaneFactory {
 public:
  virtual ~CPaneFactory() = default;
  // The factory keeps the objects; the frame destroys the windows.
  virtual PaneWindow CreatePane(PaneSlot slot, HWND parent, const PaneContext& context) = 0;
};

}  // namespace shell::win32
