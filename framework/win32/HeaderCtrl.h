// The header control above a list view's columns: one wrapper per message.
#pragma once

#include "framework/win32/Window.h"

namespace fw::win32 {

class CHeaderCtrl : public CWindow {
 public:
  using CWindow::CWindow;

  int ItemCount() const { return Header_GetItemCount(m_hWnd); }
  bool GetItem(int index, HDITEMW& item) const { return Header_GetItem(m_hWnd, index, &item) != FALSE; }
  bool SetItem(int index, const HDITEMW& item) const { return Header_SetItem(m_hWnd, index, &item) != FALSE; }
  bool ItemRect(int index, RECT& r) const { return Header_GetItemRect(m_hWnd, index, &r) != FALSE; }
};

}  // namespace fw::win32
