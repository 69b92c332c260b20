// A window of a class this program registers: created with its object as
// the creation parameter, its messages handled through the object's message
// tables and else by the system's default procedure.
#pragma once

#include "framework/win32/MessageWindow.h"

namespace fw::win32 {

struct WindowClass {
  const wchar_t* name = nullptr;
  HCURSOR cursor = nullptr;   // the arrow when null
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  UINT style = 0;
};

class CWindowImpl : public CMessageWindow {
 public:
  ~CWindowImpl() override;

  // Registers the class at the first creation. False when the window could
  // not be made.
  bool Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle = 0, UINT id = 0,
              const RECT* rect = nullptr, HMENU menu = nullptr);

 protected:
  virtual WindowClass GetWindowClass() const = 0;
  LRESULT Default(UINT message, WPARAM wp, LPARAM lp) const { return ::DefWindowProcW(m_hWnd, message, wp, lp); }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
};

}  // namespace fw::win32
