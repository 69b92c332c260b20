// The window of a list pane on Windows, the same for both lists: it holds
// the list control (CVirtualListCtrl), answers its requests for cell texts
// from the core view, passes a click on a column heading to the view and
// prints through the printing the shell hands it. CListPane puts a core
// list view and this window together: the view's hooks are the window's.
#pragma once

#include <span>
#include <vector>

#include "framework/win32/PaneWnd.h"
#include "lists/ListView.h"
#include "lists/win32/VirtualListCtrl.h"

namespace output::win32 {
class ListPrinting;
}

namespace lists::win32 {

class CListPaneWnd : public fw::win32::CPaneWnd {
 public:
  // name: the string id of the pane's name, which is its window text.
  CListPaneWnd(lists::CListView& view, const fw::win32::CModalWait& wait, res::Id name);

  // Makes the pane and its control as a child of parent; false when a
  // window could not be made.
  virtual bool Create(HWND parent, UINT id);
  // Where print and preview go; they do nothing without it.
  void SetListPrinting(output::win32::ListPrinting* printing) { m_printing = printing; }
  const CVirtualListCtrl& List() const { return m_list; }

 protected:
  fw::win32::WindowClass GetWindowClass() const override;
  const fw::win32::MessageMap* GetMessageMap() const override;
  void PrintRows(output::ListOutput& output, const output::PrintSource& rows, bool preview);
  HWND Control() const override { return m_list.Handle(); }

 private:
  LRESULT OnNotify(WPARAM, LPARAM);
  void OnGetDispInfo(NMLVDISPINFOW& info) const;

  lists::CListView& m_view;
  CVirtualListCtrl m_list;
  res::Id m_name;
  output::win32::ListPrinting* m_printing = nullptr;
};

// A core list view shown by the window.
template <class Core>
class CListPane : public Core, public CListPaneWnd {
 public:
  CListPane(fw::CPathDocument& doc, const fw::win32::CModalWait& wait, res::Id name)
      : Core(doc), CListPaneWnd(*this, wait, name) {}

  int SelectedCount() const override { return List().SelectedCount(); }
  bool IsRowSelected(int row) const override { return List().IsRowSelected(row); }
  std::vector<int> SelectedRows() const override { return List().SelectedRows(); }
  int CurrentRow() const override { return List().CurrentRow(); }

 protected:
  int ColumnWidth(int column) const override { return List().ColumnWidth(column); }
  void BeginRowsReset() override { List().BeginReset(); }
  void EndRowsReset() override { List().EndReset(); }
  void SelectRows(std::span<const int> rows, int current) override { List().SelectRows(rows, current); }
  void PrintList(output::ListOutput& output, bool preview) override { PrintRows(output, *this, preview); }
  void Invalidate() override { List().Invalidate(); }
};

}  // namespace lists::win32
