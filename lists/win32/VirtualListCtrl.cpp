#include "lists/win32/VirtualListCtrl.h"

#include "framework/StringTable.h"
#include "lists/ListView.h"
#include "platform/win32/Utf16.h"

namespace lists::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;
using platform::win32::Widen;

bool CVirtualListCtrl::Create(HWND parent, UINT id) {
  // The image lists belong to the pane, which ends them.
  constexpr DWORD kStyle = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS;
  if (!Subclass(CreateChild(parent, WC_LISTVIEWW, kStyle, id, WS_EX_CLIENTEDGE))) return false;
  const auto columns = m_view.Columns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::wstring title = Widen(fw::LoadResString(columns[i].title));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = static_cast<int>(columns[i].format);  // the same values as LVCFMT_
    column.cx = Scale(columns[i].width);
    column.pszText = title.data();
    column.iSubItem = static_cast<int>(i);
    if (Ctrl().InsertColumn(static_cast<int>(i), column) < 0) return false;
  }
  return true;
}

const MessageMap* CVirtualListCtrl::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CVirtualListCtrl::OnChar>(WM_CHAR)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

// The style bits alone change: columns, rows, selection and order stay.
void CVirtualListCtrl::SetStyle(ListStyle style) const {
  const LONG_PTR bits = (Style() & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | static_cast<LONG_PTR>(style);
  ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, bits);
}

// The column's own width, also in the styles that show one column only.
int CVirtualListCtrl::ColumnWidth(int column) const {
  LVCOLUMNW c{};
  c.mask = LVCF_WIDTH;
  if (!ListView_GetColumn(m_hWnd, column, &c)) return 0;
  return ::MulDiv(c.cx, USER_DEFAULT_SCREEN_DPI, static_cast<int>(Dpi()));
}

void CVirtualListCtrl::BeginReset() const { SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED); }

void CVirtualListCtrl::EndReset() const {
  ListView_SetItemCountEx(m_hWnd, m_view.RowCount(), LVSICF_NOSCROLL);
  Invalidate();
}

std::vector<int> CVirtualListCtrl::SelectedRows() const {
  std::vector<int> rows;
  for (int row = Ctrl().NextItem(-1, LVNI_SELECTED); row >= 0; row = Ctrl().NextItem(row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

bool CVirtualListCtrl::IsRowSelected(int row) const {
  return (ListView_GetItemState(m_hWnd, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void CVirtualListCtrl::SetRowState(int row, UINT state, UINT mask) const {
  ListView_SetItemState(m_hWnd, row, state, mask);
}

void CVirtualListCtrl::SelectRows(std::span<const int> rows, int current) const {
  SetRowState(-1, 0, LVIS_SELECTED);
  if (!rows.empty() && static_cast<int>(rows.size()) == m_view.RowCount()) {
    SetRowState(-1, LVIS_SELECTED, LVIS_SELECTED);  // all at once
  } else {
    for (const int row : rows) SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
  }
  if (current >= 0) SetRowState(current, LVIS_FOCUSED, LVIS_FOCUSED);
}

LRESULT CVirtualListCtrl::OnChar(WPARAM wp, LPARAM lp) {
  if (!fw::win32::CTypedSearch::Searches(wp, lp)) return Default(WM_CHAR, wp, lp);
  const int found = m_search.Type(static_cast<wchar_t>(wp), m_view.RowCount(), CurrentRow(),
                                  [this](int row) { return Widen(m_view.CellText(row, 0)); });
  if (found < 0) return 0;
  const int rows[] = {found};
  SelectRows(rows, found);
  Ctrl().EnsureVisible(found);
  return 0;
}

}  // namespace lists::win32
