// What both list panes are, without a widget: their columns, their rows as
// cell texts made when asked for, the commands they share (print, preview
// and the two exports, enabled while the list has rows) and what printing
// and export read back from them. The widget that shows the rows is the
// derived class of each front end and implements the hooks below.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "framework/View.h"
#include "lists/ListStyle.h"
#include "output/ListContents.h"
#include "res/resource.h"

namespace fw {
class CPathDocument;
class JobRunner;
class StatusPane;
}  // namespace fw
namespace output {
class ListOutput;
}

namespace lists {

struct ColumnSpec {
  res::Id title;    // string id of the heading
  int width;        // pixels
  unsigned format;  // output::ColumnFormat::kLeft, kRight or kCenter
};

class CListView : public fw::CView, public output::CListContents {
 public:
  CListView(fw::CPathDocument& doc, std::span<const ColumnSpec> columns);

  fw::CPathDocument& Doc() const { return m_doc; }
  std::span<const ColumnSpec> Columns() const { return m_columns; }

  // What the frame hands the pane when it builds it: where print and export
  // go (the document; they do nothing without it), how long work is waited
  // for (at once unless set), and pane 0 of the status bar (may be null).
  void SetListOutput(output::ListOutput* output) { m_output = output; }
  void SetJobRunner(fw::JobRunner* runner) { m_runner = runner; }
  void SetStatusPane(fw::StatusPane* status) { m_status = status; }

  // CListContents: titles and formats from the columns, widths as shown.
  bool GetColumn(int index, output::ListColumn& out) const override;
  int ColumnCount() const override { return static_cast<int>(m_columns.size()); }

  // The commands both lists share.
  void OnUpdateListCommand(fw::CCmdUI* ui);
  void OnFilePrint() { Print(false); }
  void OnFilePrintPreview() { Print(true); }
  void OnExportFile();
  void OnExportExcel();

  // A click on a column heading.
  virtual void OnColumnClick(int column) = 0;

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  fw::JobRunner& Runner() const;
  fw::StatusPane* Status() const { return m_status; }

  // Changes the row order with reorder; the rows whose records were
  // selected (recordOf names a row's record) stay selected, the current
  // one stays current.
  void Reorder(const std::function<void()>& reorder, const std::function<const void*(int row)>& recordOf);

  // What the widget does.
  virtual int ColumnWidth(int column) const = 0;  // pixels, as shown
  // Around a change of the rows: no row is read meanwhile, the selection goes.
  virtual void BeginRowsReset() = 0;
  virtual void EndRowsReset() = 0;
  virtual std::vector<int> SelectedRows() const = 0;  // ascending
  virtual int CurrentRow() const = 0;                 // -1 for none
  virtual void SelectRows(std::span<const int> rows, int current) = 0;
  virtual void PrintList(output::ListOutput& output, bool preview) = 0;

 private:
  void Print(bool preview);

  fw::CPathDocument& m_doc;
  std::vector<ColumnSpec> m_columns;
  output::ListOutput* m_output = nullptr;
  fw::JobRunner* m_runner = nullptr;
  fw::StatusPane* m_status = nullptr;
};

}  // namespace lists
