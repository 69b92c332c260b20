#include "framework/win32/Window.h"

#include "platform/win32/Utf16.h"

namespace fw::win32 {

using platform::win32::Narrow;
using platform::win32::Widen;

bool CWindow::SetText(std::string_view utf8) const { return ::SetWindowTextW(m_hWnd, Widen(utf8).c_str()) != FALSE; }

std::string CWindow::Text() const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
  const int n = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
  return Narrow(text.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

HWND CWindow::CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, UINT id, DWORD exStyle) {
  return ::CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace fw::win32
