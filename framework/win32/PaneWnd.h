// A pane of the main window: a window of its own that one control fills
// and that hands the focus on to it; the control's notifications come to
// the pane, whose message table names this one's as its base (PaneMap).
#pragma once

#include "framework/win32/WindowImpl.h"
#include "res/resource.h"

namespace fw::win32 {

class CPaneWnd : public CWindowImpl {
 protected:
  // Made as a child of parent, its name (a string id) as its text.
  bool CreatePane(HWND parent, UINT id, res::Id name);
  // The control that fills the pane; null before it is made.
  virtual HWND Control() const = 0;

  static const MessageMap* PaneMap();
  const MessageMap* GetMessageMap() const override { return PaneMap(); }

 private:
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
};

}  // namespace fw::win32
