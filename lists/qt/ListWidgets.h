// The widgets of a list pane: the details style is a QTreeView with a
// header, the icon and list styles a QListView over the same model and the
// same selection. Rows and cell texts are the core view's, asked for when
// drawn. Typing selects the next row whose name begins with what was typed.
#pragma once

#include <QIcon>
#include <QStackedWidget>
#include <span>
#include <vector>

#include "framework/IncrementalSearch.h"
#include "lists/ListView.h"

class QListView;
class QTreeView;

namespace output {
class ListOutput;
class PrinterSource;
}  // namespace output

namespace lists::qt {

class IconListView;
class ListModel;

class CListWidgets : public QStackedWidget {
 public:
  CListWidgets(lists::CListView& view, std::span<const ColumnSpec> columns, QWidget* parent);
  ~CListWidgets() override;

  // The application's printer, for print and preview; they do nothing
  // without it.
  void SetPrinterSource(output::PrinterSource* printers) { m_printers = printers; }

  virtual QIcon RowIcon(int /*row*/, bool /*large*/) const { return {}; }

  QTreeView* DetailsView() const { return m_details; }
  QListView* IconView() const;
  void SetListStyle(ListStyle style);

  int ColumnWidth(int column) const;
  void BeginReset();
  void EndReset();
  std::vector<int> SelectedRows() const;
  int SelectedCount() const;
  bool IsRowSelected(int row) const;
  int CurrentRow() const;  // -1 for none
  // Selects the rows (runs of neighbours as one range) and makes current
  // the given row, if any.
  void SelectRows(std::span<const int> rows, int current);
  void Repaint();
  void PrintRows(output::ListOutput& output, const output::PrintSource& rows, bool preview);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SearchTyped(const class QKeyEvent& key);

  lists::CListView& m_view;
  output::PrinterSource* m_printers = nullptr;
  ListModel* m_model;
  QTreeView* m_details;
  IconListView* m_icons;
  fw::CIncrementalSearch m_search;
};

// A core list view shown by the widgets: the core's hooks are the widgets'.
template <class Core>
class CListPane : public Core, public CListWidgets {
 public:
  CListPane(fw::CPathDocument& doc, QWidget* parent) : Core(doc), CListWidgets(*this, Core::Columns(), parent) {}

  int SelectedCount() const override { return CListWidgets::SelectedCount(); }
  bool IsRowSelected(int row) const override { return CListWidgets::IsRowSelected(row); }
  std::vector<int> SelectedRows() const override { return CListWidgets::SelectedRows(); }
  int CurrentRow() const override { return CListWidgets::CurrentRow(); }

 protected:
  int ColumnWidth(int column) const override { return CListWidgets::ColumnWidth(column); }
  void BeginRowsReset() override { BeginReset(); }
  void EndRowsReset() override { EndReset(); }
  void SelectRows(std::span<const int> rows, int current) override { CListWidgets::SelectRows(rows, current); }
  void PrintList(output::ListOutput& output, bool preview) override { PrintRows(output, *this, preview); }
  void Invalidate() override { Repaint(); }
};

}  // namespace lists::qt
