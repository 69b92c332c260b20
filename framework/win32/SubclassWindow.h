// A control of the system's classes whose messages this program sees
// first, through message tables: a handler may take a message or hand it
// on to the control's own procedure (Default). The object follows the
// control's window and lets go of it when the window goes.
#pragma once

#include "framework/win32/MessageWindow.h"

namespace fw::win32 {

class CSubclassWindow : public CMessageWindow {
 public:
  ~CSubclassWindow() override;

  // False when control is null or taken already.
  bool Subclass(HWND control);

 protected:
  // The control's own handling of a message, from inside a handler.
  LRESULT Default(UINT message, WPARAM wp, LPARAM lp) const { return ::DefSubclassProc(m_hWnd, message, wp, lp); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR);
  void Release();
};

}  // namespace fw::win32
