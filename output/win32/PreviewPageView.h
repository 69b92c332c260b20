// The page area of the print preview: one page or two side by side on a
// grey ground, scrolled when zoomed larger than the window. A page is drawn
// only when it is shown (onto a bitmap of its display size, in the
// printer's units) and kept while it is among the last few shown, so that
// a preview of a long list opens at once and any page comes as fast as the
// first.
#pragma once

#include <functional>
#include <memory>

#include "framework/win32/WindowImpl.h"
#include "output/PageCache.h"
#include "output/PreviewPages.h"

namespace output {
class PrintDC;
}

namespace output::win32 {

struct PageBitmapDeleter {
  void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
};
using PageBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, PageBitmapDeleter>;

class CPreviewPageView : public fw::win32::CWindowImpl {
 public:
  // Draws a page onto a context measured by the printer, in its pixels.
  using DrawPage = std::function<void(PrintDC& dc, int page)>;
  // Asks for the page step pages on (+1, -1), as the wheel does.
  using StepPage = std::function<void(int step)>;

  CPreviewPageView(DrawPage draw, StepPage step) : m_draw(std::move(draw)), m_step(std::move(step)) {}

  bool Create(HWND parent, UINT id);
  // The printer the pages are measured and laid out with; drops every
  // page drawn so far.
  void SetPrinter(HDC printer);

  PreviewPages& Pages() { return m_pages; }
  const PreviewPages& Pages() const { return m_pages; }
  // After the pages or the zoom changed: the scroll range anew, the view
  // back to the top left, the pages repainted.
  void Refresh();
  void Scroll(int dx, int dy);

  // Pages drawn and held now.
  const PageCache<PageBitmap>& Cache() const { return m_cache; }

 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnHScroll(WPARAM wp, LPARAM);
  LRESULT OnVScroll(WPARAM wp, LPARAM);
  LRESULT OnMouseWheel(WPARAM wp, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);

  PreviewGeometry Geometry() const;
  const PageBitmap& PageImage(int page, Extent size);
  PageBitmap Render(int page, Extent size) const;
  void UpdateScrollBars();
  int ScrollTo(int bar, int position);
  int ScrollStep(int bar, WPARAM wp) const;

  DrawPage m_draw;
  StepPage m_step;
  HDC m_printer = nullptr;
  Extent m_paper;
  POINT m_printable{};  // the printable area's corner on the sheet
  PreviewPages m_pages;
  PageCache<PageBitmap> m_cache{6};
  Extent m_cachedSize;  // the display size the held pages were drawn at
  POINT m_scroll{};
};

}  // namespace output::win32
