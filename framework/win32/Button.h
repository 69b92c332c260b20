// Push buttons, radio buttons and check boxes: one wrapper per message.
#pragma once

#include "framework/win32/Window.h"

namespace fw::win32 {

class CButton : public CWindow {
 public:
  using CWindow::CWindow;

  int Check() const { return static_cast<int>(SendMsg(BM_GETCHECK)); }
  void SetCheck(int state) const { SendMsg(BM_SETCHECK, static_cast<WPARAM>(state)); }
  void Click() const { SendMsg(BM_CLICK); }
};

}  // namespace fw::win32
