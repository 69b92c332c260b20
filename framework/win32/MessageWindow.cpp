#include "framework/win32/MessageWindow.h"

namespace fw::win32 {

CMessageWindow::~CMessageWindow() {
  // A window that outlives its object must not reach it any more.
  if (m_hWnd != nullptr && FromHandle(m_hWnd) == this) ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
}

CMessageWindow* CMessageWindow::FromHandle(HWND hwnd) {
  return reinterpret_cast<CMessageWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void CMessageWindow::Attach(HWND hwnd) {
  m_hWnd = hwnd;
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CMessageWindow::Detach() {
  if (m_hWnd != nullptr) ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
  m_hWnd = nullptr;
}

bool CMessageWindow::Dispatch(UINT message, WPARAM wp, LPARAM lp, LRESULT& result) {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
    for (const MessageEntry& e : map->entries) {
      if (e.message != message) continue;
      result = e.invoke(this, wp, lp);
      return true;
    }
  }
  return false;
}

}  // namespace fw::win32
