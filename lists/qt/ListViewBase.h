// The common body of the two list panes: a list control whose rows are the
// derived view's records, with cell texts made on demand. Details style is
// a QTreeView with a header; the icon and list styles are a QListView over
// the same model and the same selection.
#pragma once

#include <QIcon>
#include <QStackedWidget>
#include <span>
#include <string>

#include "framework/IncrementalSearch.h"
#include "framework/View.h"
#include "lists/qt/ListStyle.h"
#include "output/ListContents.h"
#include "res/resource.h"

class QListView;
class QTreeView;

namespace fw {
class CPathDocument;
class JobRunner;
}
namespace fw::qt {
class StatusSink;
}
namespace output {
class ListOutput;
class PrinterSource;
}

namespace lists {

class IconListView;
class ListModel;

struct ColumnSpec {
  res::Id title;    // string id of the heading
  int width;        // pixels
  unsigned format;  // output::ColumnFormat::kLeft, kRight or kCenter
};

class CListViewBase : public QStackedWidget, public fw::CView, public output::CListContents {
 public:
  CListViewBase(fw::CPathDocument& doc, QWidget* parent, std::span<const ColumnSpec> columns);
  ~CListViewBase() override;

  fw::CPathDocument& Doc() const { return m_doc; }

  // What the frame hands the pane when it builds it: where print and export
  // go (the document), the application's printer, pane 0 of the status
  // bar, and how long work is waited for (at once unless set). Print and
  // export do nothing without the first two.
  void SetListOutput(output::ListOutput* output) { m_output = output; }
  void SetPrinterSource(output::PrinterSource* printers) { m_printers = printers; }
  void SetStatusSink(fw::qt::StatusSink* status) { m_status = status; }
  void SetJobRunner(fw::JobRunner* runner) { m_runner = runner; }

  // The derived view's rows.
  int RowCount() const override = 0;
  std::string CellText(int row, int column) const override = 0;
  virtual QIcon RowIcon(int /*row*/, bool /*large*/) const { return {}; }

  // CListContents
  bool GetColumn(int index, output::ListColumn& out) const override;
  int ColumnCount() const override;
  int SelectedCount() const override;
  bool IsRowSelected(int row) const override;

  ListStyle GetListStyle() const { return m_style; }
  void SetListStyle(ListStyle style);

  QTreeView* DetailsView() const { return m_details; }
  QListView* IconView() const;

  // The commands both lists share: print, preview and the two exports,
  // enabled only while the list has rows.
  void OnUpdateListCommand(fw::CCmdUI* ui);
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnExportFile();
  void OnExportExcel();

 protected:
  const fw::RouteMap* GetRouteMap() const override;

  fw::qt::StatusSink* Status() const { return m_status; }
  fw::JobRunner& Runner() const;

  // Call around a change of the rows (refill, sort), so that no view reads
  // a row while records are being replaced. The selection is dropped.
  void BeginRowsReset();
  void EndRowsReset();
  // Selects the rows (runs of neighbours as one range) and makes current
  // the given row, if any.
  void SelectRows(std::span<const int> rows, int current = -1);
  std::vector<int> SelectedRows() const;
  int CurrentRow() const;  // -1 for none

  // A click on a column heading.
  virtual void OnColumnClick(int column) = 0;

  // Typing selects the next row whose first column begins with what was typed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  fw::CPathDocument& m_doc;
  output::ListOutput* m_output = nullptr;
  output::PrinterSource* m_printers = nullptr;
  fw::qt::StatusSink* m_status = nullptr;
  fw::JobRunner* m_runner = nullptr;
  ListModel* m_model;
  QTreeView* m_details;
  IconListView* m_icons;
  ListStyle m_style = ListStyle::kReport;
  fw::CIncrementalSearch m_search;
};

}  // namespace lists
