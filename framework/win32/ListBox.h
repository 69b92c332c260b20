// The list box control: one wrapper per message.
#pragma once

#include "framework/win32/Window.h"

namespace fw::win32 {

class CListBox : public CWindow {
 public:
  using CWindow::CWindow;

  int AddString(const wchar_t* text) const {
    return static_cast<int>(SendMsg(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  void ResetContent() const { SendMsg(LB_RESETCONTENT); }
  int Count() const { return static_cast<int>(SendMsg(LB_GETCOUNT)); }
  int CurSel() const { return static_cast<int>(SendMsg(LB_GETCURSEL)); }
  bool SetCurSel(int index) const { return SendMsg(LB_SETCURSEL, static_cast<WPARAM>(index)) != LB_ERR; }
  // A number kept with the item, beside its text.
  bool SetItemData(int index, LPARAM data) const {
    return SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(index), data) != LB_ERR;
  }
  LRESULT ItemData(int index) const { return SendMsg(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
  int TextLength(int index) const { return static_cast<int>(SendMsg(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
  int Text(int index, wchar_t* buffer) const {
    return static_cast<int>(SendMsg(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
  }
  // Tab stops in dialog template units (quarters of the average character).
  bool SetTabStops(int count, const int* stops) const {
    return SendMsg(LB_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(stops)) != 0;
  }
};

}  // namespace fw::win32
