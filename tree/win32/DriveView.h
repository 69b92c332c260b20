// The drive tree pane on Windows: a window of its own holding the tree
// control (CDriveTreeCtrl), over which the core drive view lists the drives,
// reads a directory's subdirectories only when it opens, and puts the
// selected item's full path into the document. The control's expansion and
// selection notifications come here and go on to the core.
#pragma once

#include "framework/win32/ImageList.h"
#include "framework/win32/PaneWnd.h"
#include "tree/DriveView.h"
#include "tree/win32/DriveTreeCtrl.h"

namespace tree::win32 {

class CDriveView : public tree::CDriveView, public fw::win32::CPaneWnd {
 public:
  // wait waits for the listings and times typed keys; it must outlive the
  // view.
  CDriveView(fw::CPathDocument& doc, fw::win32::CModalWait& wait);

  // Makes the pane and its control as a child of parent and lists the
  // drives; false when a window could not be made.
  bool Create(HWND parent, UINT id);
  // The window the context menu's commands go to (the frame).
  void SetCommandWindow(HWND window) { m_tree.SetCommandWindow(window); }
  const CDriveTreeCtrl& TreeCtrl() const { return m_tree; }

 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;
  void Invalidate() override { m_tree.Invalidate(); }
  HWND Control() const override { return m_tree.Handle(); }

 private:
  LRESULT OnNotify(WPARAM, LPARAM);
  bool OnExpanding(const NMTREEVIEWW& nm);

  CDriveTreeCtrl m_tree;
  fw::win32::CImageList m_images;
};

}  // namespace tree::win32
