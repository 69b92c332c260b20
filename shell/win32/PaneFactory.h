// The three panes of the main frame come from a factory that the
// application hands the frame: today placeholders, later the drive tree and
// the two lists. A pane is a window of its own (the view), made as a child
// of the splitter given; the controls it shows are its children, so their
// notifications reach the view itself. A view joins the document when it is
// made, so the views join in the panes' order: tree, file list, directory
// list, which is the order command routing follows.
#pragma once

#include "framework/View.h"
#include "framework/win32/WinApi.h"

namespace shell {
class CKolbrinDoc;
}

namespace shell::win32 {

enum class PaneSlot { kDriveTree, kFileList, kDirList };

struct PaneWindow {
  HWND hwnd = nullptr;          // null: the pane could not be made
  fw::CView* view = nullptr;    // null for a pane without commands
};

class CPaneFactory {
 public:
  virtual ~CPaneFactory() = default;
  // The factory keeps the objects; the frame destroys the windows.
  virtual PaneWindow CreatePane(PaneSlot slot, HWND parent, CKolbrinDoc& doc) = 0;
};

}  // namespace shell::win32
