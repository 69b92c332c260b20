// A window handle and the few calls every window answers, each a thin
// wrapper over one function or message. Controls derive from it; it owns
// nothing: the parent destroys its children.
#pragma once

#include <string>
#include <string_view>

#include "framework/win32/WinApi.h"

namespace fw::win32 {

class CWindow {
 public:
  CWindow() = default;
  explicit CWindow(HWND hwnd) : m_hWnd(hwnd) {}

  HWND Handle() const { return m_hWnd; }
  explicit operator bool() const { return m_hWnd != nullptr; }

  LRESULT SendMsg(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
  bool PostMsg(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp) != FALSE; }

  bool Show(int cmd = SW_SHOW) const { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
  bool IsVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  // Shown itself, whether or not its parent is.
  bool IsShown() const { return (Style() & WS_VISIBLE) != 0; }
  bool Move(const RECT& r, bool repaint = true) const {
    return ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint) != FALSE;
  }
  RECT ClientRect() const { RECT r{}; ::GetClientRect(m_hWnd, &r); return r; }
  RECT WindowRect() const { RECT r{}; ::GetWindowRect(m_hWnd, &r); return r; }
  bool Enable(bool on = true) const { return ::EnableWindow(m_hWnd, on) != FALSE; }
  HWND SetFocus() const { return ::SetFocus(m_hWnd); }
  bool Invalidate(bool erase = true) const { return ::InvalidateRect(m_hWnd, nullptr, erase) != FALSE; }
  bool Destroy() const { return ::DestroyWindow(m_hWnd) != FALSE; }
  HWND Parent() const { return ::GetParent(m_hWnd); }
  HWND DlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  LONG_PTR Style() const { return ::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
  UINT Dpi() const { return ::GetDpiForWindow(m_hWnd); }
  // Pixels at 96 dots per inch, scaled to this window's screen.
  int Scale(int pixels) const { return ::MulDiv(pixels, static_cast<int>(Dpi()), USER_DEFAULT_SCREEN_DPI); }

  // Texts are UTF-8 on the program's side.
  bool SetText(std::string_view utf8) const;
  std::string Text() const;

  // A child window of a system class, visible, with the given id.
  static HWND CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, UINT id, DWORD exStyle = 0);

 protected:
  HWND m_hWnd = nullptr;
};

}  // namespace fw::win32
