#include "output/win32/PreviewPageView.h"

#include <algorithm>

#include "output/win32/GdiPrintDC.h"

namespace output::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;

namespace {
constexpr int kGap = 12;   // pixels at 96 dpi around each page
constexpr int kLine = 24;  // pixels at 96 dpi that an arrow scrolls
}  // namespace

bool CPreviewPageView::Create(HWND parent, UINT id) {
  return CWindowImpl::Create(parent, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS, 0, id);
}

fw::win32::WindowClass CPreviewPageView::GetWindowClass() const {
  fw::win32::WindowClass wc;
  wc.name = L"KolbrinPreviewPages";
  wc.style = CS_HREDRAW | CS_VREDRAW;
  return wc;
}

const MessageMap* CPreviewPageView::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {
      Msg::On<&CPreviewPageView::OnPaint>(WM_PAINT),
      Msg::On<&CPreviewPageView::OnSize>(WM_SIZE),
      Msg::On<&CPreviewPageView::OnHScroll>(WM_HSCROLL),
      Msg::On<&CPreviewPageView::OnVScroll>(WM_VSCROLL),
      Msg::On<&CPreviewPageView::OnMouseWheel>(WM_MOUSEWHEEL),
      Msg::On<&CPreviewPageView::OnLButtonDown>(WM_LBUTTONDOWN),
  };
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

// The whole sheet; a device without one (not a printer) is all printable.
void CPreviewPageView::SetPrinter(HDC printer) {
  m_printer = printer;
  m_paper = {::GetDeviceCaps(printer, PHYSICALWIDTH), ::GetDeviceCaps(printer, PHYSICALHEIGHT)};
  m_printable = {::GetDeviceCaps(printer, PHYSICALOFFSETX), ::GetDeviceCaps(printer, PHYSICALOFFSETY)};
  if (m_paper.cx <= 0 || m_paper.cy <= 0) {
    m_paper = {::GetDeviceCaps(printer, HORZRES), ::GetDeviceCaps(printer, VERTRES)};
    m_printable = {};
  }
  m_cache.Clear();
}

// The scroll bars are always there (disabled while the pages fit), so
// that the room for the pages stays the same.
PreviewGeometry CPreviewPageView::Geometry() const {
  const RECT r = ClientRect();
  return {m_paper, {r.right, r.bottom}, Scale(kGap)};
}

void CPreviewPageView::Refresh() {
  m_scroll = {};
  UpdateScrollBars();
  Invalidate();
}

void CPreviewPageView::UpdateScrollBars() {
  const Extent content = m_pages.ContentSize(Geometry());
  const RECT client = ClientRect();
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  const auto set = [&](int bar, int extent, int page, LONG& position) {
    position = std::clamp<LONG>(position, 0, std::max(0, extent - page));
    info.nMax = extent - 1;
    info.nPage = static_cast<UINT>(std::max(0, page));
    info.nPos = position;
    ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
  };
  set(SB_HORZ, content.cx, client.right, m_scroll.x);
  set(SB_VERT, content.cy, client.bottom, m_scroll.y);
}

const PageBitmap& CPreviewPageView::PageImage(int page, Extent size) {
  if (size != m_cachedSize) m_cache.Clear();
  m_cachedSize = size;
  return m_cache.Get(page, [&](int p) { return Render(p, size); });
}

// The sheet at its display size: the printer's pixels mapped onto it, the
// origin at the corner of the printable area as on paper.
PageBitmap CPreviewPageView::Render(int page, Extent size) const {
  const HDC screen = ::GetDC(m_hWnd);
  const HDC memory = ::CreateCompatibleDC(screen);
  PageBitmap bitmap(::CreateCompatibleBitmap(screen, size.cx, size.cy));
  ::ReleaseDC(m_hWnd, screen);
  if (memory == nullptr || bitmap == nullptr) {
    if (memory != nullptr) ::DeleteDC(memory);
    return bitmap;
  }
  const HGDIOBJ before = ::SelectObject(memory, bitmap.get());
  const RECT all{0, 0, size.cx, size.cy};
  ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetBkMode(memory, TRANSPARENT);
  ::SetMapMode(memory, MM_ANISOTROPIC);
  ::SetWindowExtEx(memory, m_paper.cx, m_paper.cy, nullptr);
  ::SetViewportExtEx(memory, size.cx, size.cy, nullptr);
  ::SetWindowOrgEx(memory, -m_printable.x, -m_printable.y, nullptr);
  {
    GdiPrintDC dc(m_printer, memory);
    m_draw(dc, page);
  }
  ::SelectObject(memory, before);
  ::DeleteDC(memory);
  return bitmap;
}

LRESULT CPreviewPageView::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  const HDC dc = ::BeginPaint(m_hWnd, &ps);
  const PreviewGeometry g = Geometry();
  const Extent size = m_pages.PageSize(g);
  const HDC memory = ::CreateCompatibleDC(dc);
  const int edge = Scale(1);
  for (int i = 0; i < m_pages.ShownCount(); ++i) {
    Rect r = m_pages.PageRect(i, g);
    const RECT place{r.left - m_scroll.x, r.top - m_scroll.y, r.right - m_scroll.x, r.bottom - m_scroll.y};
    RECT visible{};
    if (::IntersectRect(&visible, &place, &ps.rcPaint)) {
      const HGDIOBJ before = ::SelectObject(memory, PageImage(m_pages.FirstPage() + i, size).get());
      ::BitBlt(dc, place.left, place.top, size.cx, size.cy, memory, 0, 0, SRCCOPY);
      ::SelectObject(memory, before);
    }
    const RECT frame{place.left - edge, place.top - edge, place.right + edge, place.bottom + edge};
    ::FrameRect(dc, &frame, ::GetSysColorBrush(COLOR_WINDOWFRAME));
    ::ExcludeClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
  }
  ::DeleteDC(memory);
  ::FillRect(dc, &ps.rcPaint, ::GetSysColorBrush(COLOR_APPWORKSPACE));
  ::EndPaint(m_hWnd, &ps);
  return 0;
}

LRESULT CPreviewPageView::OnSize(WPARAM, LPARAM) {
  UpdateScrollBars();
  return 0;
}

void CPreviewPageView::Scroll(int dx, int dy) {
  const POINT before = m_scroll;
  m_scroll.x += dx;
  m_scroll.y += dy;
  UpdateScrollBars();
  if (m_scroll.x != before.x || m_scroll.y != before.y) Invalidate(false);
}

int CPreviewPageView::ScrollStep(int bar, WPARAM wp) const {
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(m_hWnd, bar, &info);
  switch (LOWORD(wp)) {
    case SB_LINEUP: return -Scale(kLine);
    case SB_LINEDOWN: return Scale(kLine);
    case SB_PAGEUP: return -static_cast<int>(info.nPage);
    case SB_PAGEDOWN: return static_cast<int>(info.nPage);
    case SB_TOP: return -info.nPos;
    case SB_BOTTOM: return info.nMax - info.nPos;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos - info.nPos;
    default: return 0;
  }
}

LRESULT CPreviewPageView::OnHScroll(WPARAM wp, LPARAM) {
  Scroll(ScrollStep(SB_HORZ, wp), 0);
  return 0;
}

LRESULT CPreviewPageView::OnVScroll(WPARAM wp, LPARAM) {
  Scroll(0, ScrollStep(SB_VERT, wp));
  return 0;
}

// The wheel scrolls a page larger than the window and turns the pages
// otherwise.
LRESULT CPreviewPageView::OnMouseWheel(WPARAM wp, LPARAM) {
  const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
  if (notches == 0) return 0;
  if (m_pages.ContentSize(Geometry()).cy > ClientRect().bottom) {
    Scroll(0, -notches * 3 * Scale(kLine));
  } else if (m_step) {
    m_step(notches > 0 ? -1 : 1);
  }
  return 0;
}

LRESULT CPreviewPageView::OnLButtonDown(WPARAM, LPARAM) {
  SetFocus();
  return 0;
}

}  // namespace output::win32
