// The list-view control (SysListView32) with its header: one wrapper per
// message.
#pragma once

#include "framework/win32/HeaderCtrl.h"

namespace fw::win32 {

class CListCtrl : public CWindow {
 public:
  using CWindow::CWindow;
  bool Create(HWND parent, UINT id, DWORD style) {
    return (m_hWnd = CreateChild(parent, WC_LISTVIEWW, style, id)) != nullptr;
  }

  CHeaderCtrl Header() const { return CHeaderCtrl(ListView_GetHeader(m_hWnd)); }
  int InsertColumn(int index, const LVCOLUMNW& column) const { return ListView_InsertColumn(m_hWnd, index, &column); }
  bool DeleteColumn(int index) const { return ListView_DeleteColumn(m_hWnd, index) != FALSE; }
  int ColumnWidth(int index) const { return ListView_GetColumnWidth(m_hWnd, index); }
  bool SetColumnWidth(int index, int width) const { return ListView_SetColumnWidth(m_hWnd, index, width) != FALSE; }
  int InsertItem(const LVITEMW& item) const { return ListView_InsertItem(m_hWnd, &item); }
  bool GetItem(LVITEMW& item) const { return ListView_GetItem(m_hWnd, &item) != FALSE; }
  bool SetItem(const LVITEMW& item) const { return ListView_SetItem(m_hWnd, &item) != FALSE; }
  bool DeleteItem(int index) const { return ListView_DeleteItem(m_hWnd, index) != FALSE; }
  bool DeleteAllItems() const { return ListView_DeleteAllItems(m_hWnd) != FALSE; }
  int ItemCount() const { return ListView_GetItemCount(m_hWnd); }
  UINT SelectedCount() const { return ListView_GetSelectedCount(m_hWnd); }
  int NextItem(int start, UINT flags) const { return ListView_GetNextItem(m_hWnd, start, flags); }
  void ItemText(int item, int column, wchar_t* buffer, int size) const {
    ListView_GetItemText(m_hWnd, item, column, buffer, size);
  }
  bool SortItems(PFNLVCOMPARE compare, LPARAM data) const { return ListView_SortItems(m_hWnd, compare, data) != FALSE; }
  bool EnsureVisible(int item) const { return ListView_EnsureVisible(m_hWnd, item, FALSE) != FALSE; }
  HIMAGELIST SetImageList(HIMAGELIST list, int which) const { return ListView_SetImageList(m_hWnd, list, which); }
  DWORD View() const { return static_cast<DWORD>(ListView_GetView(m_hWnd)); }
  int SetView(DWORD view) const { return ListView_SetView(m_hWnd, view); }
  void SetExtendedStyle(DWORD style) const { ListView_SetExtendedListViewStyle(m_hWnd, style); }
};

}  // namespace fw::win32
