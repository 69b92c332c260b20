// The list control of a list pane: the system's list-view (SysListView32)
// holding no rows of its own (LVS_OWNERDATA), so that a million rows cost
// nothing: it knows only how many there are and asks its parent for every
// cell text it draws. Its columns are the view's; typed names search the
// rows by the times the keys were typed; the selection and the current
// row are the control's, read and set here.
#pragma once

#include <span>
#include <vector>

#include "framework/win32/ListCtrl.h"
#include "framework/win32/SubclassWindow.h"
#include "framework/win32/TypedSearch.h"
#include "lists/ListStyle.h"

namespace lists {
class CListView;
}

namespace lists::win32 {

class CVirtualListCtrl : public fw::win32::CSubclassWindow {
 public:
  CVirtualListCtrl(const lists::CListView& view, const fw::win32::CModalWait& wait)
      : m_view(view), m_search(wait) {}

  // Made as a child of parent, in the details style, with the view's
  // columns at the window's scale.
  bool Create(HWND parent, UINT id);
  fw::win32::CListCtrl Ctrl() const { return fw::win32::CListCtrl(m_hWnd); }

  void SetStyle(ListStyle style) const;
  // As at 96 dots per inch, whatever the screen's scale.
  int ColumnWidth(int column) const;

  // Around a change of the rows: the selection goes; after it the control
  // takes the view's row count, keeping its place.
  void BeginReset() const;
  void EndReset() const;

  std::vector<int> SelectedRows() const;  // ascending
  int SelectedCount() const { return static_cast<int>(Ctrl().SelectedCount()); }
  bool IsRowSelected(int row) const;
  int CurrentRow() const { return Ctrl().NextItem(-1, LVNI_FOCUSED); }
  void SelectRows(std::span<const int> rows, int current) const;

 protected:
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnChar(WPARAM, LPARAM);
  void SetRowState(int row, UINT state, UINT mask) const;

  const lists::CListView& m_view;
  fw::win32::CTypedSearch m_search;
};

}  // namespace lists::win32
