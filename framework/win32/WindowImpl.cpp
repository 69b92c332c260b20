#include "framework/win32/WindowImpl.h"

namespace fw::win32 {

CWindowImpl::~CWindowImpl() {
  if (m_hWnd != nullptr) {
    const HWND hwnd = m_hWnd;
    Detach();
    ::DestroyWindow(hwnd);
  }
}

bool CWindowImpl::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, UINT id, const RECT* rect,
                         HMENU menu) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const WindowClass wc = GetWindowClass();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!::GetClassInfoExW(instance, wc.name, &existing)) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = wc.style;
    cls.lpfnWndProc = &CWindowImpl::WndProc;
    cls.hInstance = instance;
    cls.hIcon = wc.icon;
    cls.hIconSm = wc.smallIcon;
    cls.hCursor = wc.cursor != nullptr ? wc.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = wc.background;
    cls.lpszClassName = wc.name;
    if (::RegisterClassExW(&cls) == 0) return false;
  }
  if (menu == nullptr && (style & WS_CHILD) != 0) menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
  const int x = rect != nullptr ? rect->left : CW_USEDEFAULT;
  const int y = rect != nullptr ? rect->top : CW_USEDEFAULT;
  const int cx = rect != nullptr ? rect->right - rect->left : CW_USEDEFAULT;
  const int cy = rect != nullptr ? rect->bottom - rect->top : CW_USEDEFAULT;
  return ::CreateWindowExW(exStyle, wc.name, title, style, x, y, cx, cy, parent, menu, instance, this) != nullptr;
}

LRESULT CALLBACK CWindowImpl::WndProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CWindowImpl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->Attach(hwnd);
  }
  auto* self = static_cast<CWindowImpl*>(FromHandle(hwnd));
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wp, lp);
  LRESULT result = 0;
  if (!self->Dispatch(message, wp, lp, result)) result = ::DefWindowProcW(hwnd, message, wp, lp);
  if (message == WM_NCDESTROY) self->Detach();
  return result;
}

}  // namespace fw::win32
