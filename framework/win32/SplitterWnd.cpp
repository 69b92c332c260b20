#include "framework/win32/SplitterWnd.h"

#include <algorithm>

namespace fw::win32 {

bool CSplitterWnd::Create(HWND parent, UINT id) {
  return CWindowImpl::Create(parent, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, id);
}

WindowClass CSplitterWnd::GetWindowClass() const {
  WindowClass wc;
  wc.name = L"KolbrinSplitter";
  wc.background = ::GetSysColorBrush(COLOR_3DFACE);
  return wc;
}

const MessageMap* CSplitterWnd::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {
      Msg::On<&CSplitterWnd::OnSize>(WM_SIZE),
      Msg::On<&CSplitterWnd::OnPaint>(WM_PAINT),
      Msg::On<&CSplitterWnd::OnSetCursor>(WM_SETCURSOR),
      Msg::On<&CSplitterWnd::OnLButtonDown>(WM_LBUTTONDOWN),
      Msg::On<&CSplitterWnd::OnMouseMove>(WM_MOUSEMOVE),
      Msg::On<&CSplitterWnd::OnLButtonUp>(WM_LBUTTONUP),
      Msg::On<&CSplitterWnd::OnCaptureChanged>(WM_CAPTURECHANGED),
  };
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

void CSplitterWnd::SetPanes(HWND first, HWND second) {
  m_panes = {first, second};
  Layout();
}

void CSplitterWnd::SetPosition(int pixels) {
  m_position = std::max(0, pixels);
  Layout();
}

int CSplitterWnd::Extent() const {
  const RECT r = ClientRect();
  return m_split == Split::kColumns ? r.right - r.left : r.bottom - r.top;
}

int CSplitterWnd::Along(LPARAM point) const {
  // Signed: a captured mouse reports points left of or above the window.
  return static_cast<short>(m_split == Split::kColumns ? LOWORD(point) : HIWORD(point));
}

RECT CSplitterWnd::BarRect() const {
  RECT r = ClientRect();
  const int first = std::clamp(m_position, 0, std::max(0, Extent() - BarSize()));
  if (m_split == Split::kColumns) {
    r.left = first;
    r.right = first + BarSize();
  } else {
    r.top = first;
    r.bottom = first + BarSize();
  }
  return r;
}

void CSplitterWnd::Layout() {
  if (m_hWnd == nullptr) return;
  const RECT client = ClientRect();
  const RECT bar = BarRect();
  RECT first = client;
  RECT second = client;
  if (m_split == Split::kColumns) {
    first.right = bar.left;
    second.left = bar.right;
  } else {
    first.bottom = bar.top;
    second.top = bar.bottom;
  }
  if (m_panes[0] != nullptr) CWindow(m_panes[0]).Move(first);
  if (m_panes[1] != nullptr) CWindow(m_panes[1]).Move(second);
  ::InvalidateRect(m_hWnd, &bar, TRUE);
}

LRESULT CSplitterWnd::OnSize(WPARAM, LPARAM) {
  Layout();
  return 0;
}

LRESULT CSplitterWnd::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(m_hWnd, &ps);
  RECT bar = BarRect();
  ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_3DFACE));
  ::DrawEdge(dc, &bar, EDGE_RAISED, m_split == Split::kColumns ? BF_LEFT | BF_RIGHT : BF_TOP | BF_BOTTOM);
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

LRESULT CSplitterWnd::OnSetCursor(WPARAM wp, LPARAM lp) {
  if (reinterpret_cast<HWND>(wp) != m_hWnd || LOWORD(lp) != HTCLIENT) return Default(WM_SETCURSOR, wp, lp);
  ::SetCursor(::LoadCursorW(nullptr, m_split == Split::kColumns ? IDC_SIZEWE : IDC_SIZENS));
  return TRUE;
}

LRESULT CSplitterWnd::OnLButtonDown(WPARAM, LPARAM lp) {
  const RECT bar = BarRect();
  m_dragOffset = Along(lp) - (m_split == Split::kColumns ? bar.left : bar.top);
  ::SetCapture(m_hWnd);
  return 0;
}

LRESULT CSplitterWnd::OnMouseMove(WPARAM, LPARAM lp) {
  if (m_dragOffset < 0) return 0;
  // Neither pane is dragged away entirely.
  const int limit = std::max(0, Extent() - BarSize());
  SetPosition(std::clamp(Along(lp) - m_dragOffset, 0, limit));
  return 0;
}

LRESULT CSplitterWnd::OnLButtonUp(WPARAM, LPARAM) {
  if (m_dragOffset >= 0) ::ReleaseCapture();
  return 0;
}

LRESULT CSplitterWnd::OnCaptureChanged(WPARAM, LPARAM) {
  m_dragOffset = -1;
  return 0;
}

}  // namespace fw::win32
