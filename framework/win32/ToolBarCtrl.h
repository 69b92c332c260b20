// The toolbar control (ToolbarWindow32): one wrapper per message, and its
// buttons from a toolbar template of res/. Tooltips are asked from the
// parent with TTN_GETDISPINFOW, the button's command id in idFrom.
#pragma once

#include "framework/win32/Window.h"
#include "res/ResourceTypes.h"

namespace fw::win32 {

class CToolBarCtrl : public CWindow {
 public:
  using CWindow::CWindow;
  bool Create(HWND parent, UINT id, DWORD style = TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP) {
    return (m_hWnd = CreateChild(parent, TOOLBARCLASSNAMEW, style, id)) != nullptr;
  }

  // The template's buttons, images in order from the image list;
  // ID_SEPARATOR makes a gap.
  bool AddButtons(const res::ToolbarTemplate& tpl) const;

  HIMAGELIST SetImageList(HIMAGELIST list) const {
    return reinterpret_cast<HIMAGELIST>(SendMsg(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
  }
  int ButtonCount() const { return static_cast<int>(SendMsg(TB_BUTTONCOUNT)); }
  bool GetButton(int index, TBBUTTON& button) const {
    return SendMsg(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) != 0;
  }
  bool EnableButton(UINT id, bool on) const {
    return SendMsg(TB_ENABLEBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0)) != 0;
  }
  bool CheckButton(UINT id, bool on) const {
    return SendMsg(TB_CHECKBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0)) != 0;
  }
  bool IsButtonEnabled(UINT id) const { return SendMsg(TB_ISBUTTONENABLED, id) != 0; }
  bool IsButtonChecked(UINT id) const { return SendMsg(TB_ISBUTTONCHECKED, id) != 0; }
  bool ItemRect(int index, RECT& r) const {
    return SendMsg(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != 0;
  }
  HWND ToolTips() const { return reinterpret_cast<HWND>(SendMsg(TB_GETTOOLTIPS)); }
  // Lays itself out along the parent's top edge.
  void AutoSize() const { SendMsg(TB_AUTOSIZE); }
};

}  // namespace fw::win32
