// The edit control: one wrapper per message; the text itself is the
// window's text (CWindow::SetText, Text).
#pragma once

#include "framework/win32/Window.h"

namespace fw::win32 {

class CEdit : public CWindow {
 public:
  using CWindow::CWindow;

  bool SetReadOnly(bool on = true) const { return SendMsg(EM_SETREADONLY, on) != 0; }
  void SetSel(int start, int end) const { SendMsg(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void LimitText(int chars) const { SendMsg(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
  int LineCount() const { return static_cast<int>(SendMsg(EM_GETLINECOUNT)); }
};

}  // namespace fw::win32
