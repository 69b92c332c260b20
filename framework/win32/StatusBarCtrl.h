// The status bar control (msctls_statusbar32): one wrapper per message.
#pragma once

#include <string>

#include "framework/win32/Window.h"

namespace fw::win32 {

class CStatusBarCtrl : public CWindow {
 public:
  using CWindow::CWindow;
  bool Create(HWND parent, UINT id, DWORD style = SBARS_SIZEGRIP) {
    return (m_hWnd = CreateChild(parent, STATUSCLASSNAMEW, style, id)) != nullptr;
  }

  // Right edges of the panes, -1 for one that reaches the end.
  bool SetParts(int count, const int* rightEdges) const {
    return SendMsg(SB_SETPARTS, count, reinterpret_cast<LPARAM>(rightEdges)) != 0;
  }
  bool SetPaneText(int pane, const wchar_t* text) const {
    return SendMsg(SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text)) != 0;
  }
  std::wstring PaneText(int pane) const {
    std::wstring text(LOWORD(SendMsg(SB_GETTEXTLENGTHW, pane)), L'\0');
    SendMsg(SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(text.data()));
    return text;
  }
  bool PaneRect(int pane, RECT& r) const { return SendMsg(SB_GETRECT, pane, reinterpret_cast<LPARAM>(&r)) != 0; }
  // Lays itself out along the parent's bottom edge.
  void Resize() const { SendMsg(WM_SIZE); }
};

}  // namespace fw::win32
