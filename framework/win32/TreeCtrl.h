// The tree-view control (SysTreeView32): one wrapper per message.
#pragma once

#include <string>

#include "framework/win32/Window.h"

namespace fw::win32 {

class CTreeCtrl : public CWindow {
 public:
  using CWindow::CWindow;
  bool Create(HWND parent, UINT id, DWORD style) {
    return (m_hWnd = CreateChild(parent, WC_TREEVIEWW, style, id)) != nullptr;
  }

  HTREEITEM InsertItem(const TVINSERTSTRUCTW& item) const { return TreeView_InsertItem(m_hWnd, &item); }
  bool DeleteItem(HTREEITEM item) const { return TreeView_DeleteItem(m_hWnd, item) != FALSE; }
  bool DeleteAllItems() const { return TreeView_DeleteAllItems(m_hWnd) != FALSE; }
  bool Expand(HTREEITEM item, UINT action = TVE_EXPAND) const { return TreeView_Expand(m_hWnd, item, action) != FALSE; }
  bool Select(HTREEITEM item, UINT how = TVGN_CARET) const { return TreeView_Select(m_hWnd, item, how) != FALSE; }
  HTREEITEM NextItem(HTREEITEM item, UINT how) const { return TreeView_GetNextItem(m_hWnd, item, how); }
  HTREEITEM Selection() const { return TreeView_GetSelection(m_hWnd); }
  HTREEITEM Root() const { return TreeView_GetRoot(m_hWnd); }
  HTREEITEM Parent(HTREEITEM item) const { return TreeView_GetParent(m_hWnd, item); }
  HTREEITEM Child(HTREEITEM item) const { return TreeView_GetChild(m_hWnd, item); }
  HTREEITEM NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(m_hWnd, item); }
  bool GetItem(TVITEMW& item) const { return TreeView_GetItem(m_hWnd, &item) != FALSE; }
  UINT Count() const { return TreeView_GetCount(m_hWnd); }
  UINT ItemState(HTREEITEM item, UINT mask) const { return TreeView_GetItemState(m_hWnd, item, mask); }
  void SetItemState(HTREEITEM item, UINT state, UINT mask) const { TreeView_SetItemState(m_hWnd, item, state, mask); }
  bool EnsureVisible(HTREEITEM item) const { return TreeView_EnsureVisible(m_hWnd, item) != FALSE; }
  bool ItemRect(HTREEITEM item, RECT& r, bool textOnly) const {
    return TreeView_GetItemRect(m_hWnd, item, &r, textOnly) != FALSE;
  }
  HIMAGELIST SetImageList(HIMAGELIST list, int which = TVSIL_NORMAL) const {
    return TreeView_SetImageList(m_hWnd, list, which);
  }
  // The item's text, UTF-16 as the control keeps it.
  std::wstring ItemText(HTREEITEM item) const {
    wchar_t buffer[MAX_PATH + 1] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = MAX_PATH;
    return GetItem(tv) ? std::wstring(buffer) : std::wstring();
  }
};

}  // namespace fw::win32
