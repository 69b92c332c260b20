#include "framework/win32/SubclassWindow.h"

namespace fw::win32 {

CSubclassWindow::~CSubclassWindow() { Release(); }

bool CSubclassWindow::Subclass(HWND control) {
  if (control == nullptr || m_hWnd != nullptr || FromHandle(control) != nullptr) return false;
  if (!::SetWindowSubclass(control, &CSubclassWindow::Proc, 1, 0)) return false;
  Attach(control);
  return true;
}

void CSubclassWindow::Release() {
  if (m_hWnd == nullptr) return;
  ::RemoveWindowSubclass(m_hWnd, &CSubclassWindow::Proc, 1);
  Detach();
}

LRESULT CALLBACK CSubclassWindow::Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  auto* self = static_cast<CSubclassWindow*>(FromHandle(hwnd));
  LRESULT result = 0;
  if (self == nullptr || !self->Dispatch(message, wp, lp, result)) result = ::DefSubclassProc(hwnd, message, wp, lp);
  if (message == WM_NCDESTROY && self != nullptr) self->Release();
  return result;
}

}  // namespace fw::win32
