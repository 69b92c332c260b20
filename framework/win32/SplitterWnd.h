// A static splitter: two panes side by side (columns) or one above the
// other (rows), divided by a bar the user drags with the mouse. The first
// pane keeps its size when the splitter is resized; the second takes the
// rest. The panes are child windows of the splitter, given by the caller.
#pragma once

#include <array>

#include "framework/win32/WindowImpl.h"

namespace fw::win32 {

class CSplitterWnd : public CWindowImpl {
 public:
  enum class Split { kColumns, kRows };
  explicit CSplitterWnd(Split split) : m_split(split) {}

  bool Create(HWND parent, UINT id);
  void SetPanes(HWND first, HWND second);
  HWND Pane(int index) const { return m_panes[static_cast<std::size_t>(index)]; }

  // The first pane's width (columns) or height (rows), in pixels.
  int Position() const { return m_position; }
  void SetPosition(int pixels);
  int BarSize() const { return Scale(5); }

 protected:
  WindowClass GetWindowClass() const override;
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnLButtonUp(WPARAM, LPARAM);
  LRESULT OnCaptureChanged(WPARAM, LPARAM);

  int Extent() const;  // width (columns) or height (rows) of the splitter
  int Along(LPARAM point) const;  // the mouse position across the bar
  RECT BarRect() const;
  void Layout();

  Split m_split;
  std::array<HWND, 2> m_panes{};
  int m_position = 0;
  int m_dragOffset = -1;  // where the bar was grabbed, while dragging
};

}  // namespace fw::win32
