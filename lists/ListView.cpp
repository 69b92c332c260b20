#include "lists/ListView.h"

#include <algorithm>

#include "framework/CmdUI.h"
#include "framework/JobRunner.h"
#include "framework/PathDocument.h"
#include "framework/StringTable.h"
#include "output/ExportCommand.h"
#include "output/ListOutput.h"

namespace lists {

CListView::CListView(fw::CPathDocument& doc, std::span<const ColumnSpec> columns)
    : m_doc(doc), m_columns(columns.begin(), columns.end()) {
  SetDocument(&doc);
}

const fw::RouteMap* CListView::GetRouteMap() const {
  using fw::Route::Command;
  using fw::Route::Update;
  static const fw::RouteEntry entries[] = {
      Update<&CListView::OnUpdateListCommand>(ID_FILE_PRINT),
      Update<&CListView::OnUpdateListCommand>(ID_FILE_PRINT_PREVIEW),
      Update<&CListView::OnUpdateListCommand>(ID_EXPORT_FILE),
      Update<&CListView::OnUpdateListCommand>(ID_EXPORT_EXCEL),
      Command<&CListView::OnFilePrint>(ID_FILE_PRINT),
      Command<&CListView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
      Command<&CListView::OnExportFile>(ID_EXPORT_FILE),
      Command<&CListView::OnExportExcel>(ID_EXPORT_EXCEL),
  };
  static const fw::RouteMap map{entries, fw::CView::GetRouteMap()};
  return &map;
}

fw::JobRunner& CListView::Runner() const { return m_runner != nullptr ? *m_runner : fw::RunAtOnce(); }

bool CListView::GetColumn(int index, output::ListColumn& out) const {
  if (index < 0 || index >= ColumnCount()) return false;
  const ColumnSpec& column = m_columns[static_cast<std::size_t>(index)];
  out.width = ColumnWidth(index);
  out.title = std::string(fw::LoadResString(column.title));
  out.format = column.format;
  return true;
}

// Whether rows are selected plays no part: the export asks which to take.
void CListView::OnUpdateListCommand(fw::CCmdUI* ui) { ui->Enable(RowCount() > 0); }

void CListView::Print(bool preview) {
  if (m_output != nullptr) PrintList(*m_output, preview);
}

void CListView::OnExportFile() {
  if (m_output != nullptr) m_output->ExportList(*this, output::EXPORT_TO_FILE);
}

void CListView::OnExportExcel() {
  if (m_output != nullptr) m_output->ExportList(*this, output::EXPORT_TO_EXCEL);
}

void CListView::Reorder(const std::function<void()>& reorder, const std::function<const void*(int)>& recordOf) {
  std::vector<const void*> selected;
  for (int row : SelectedRows()) selected.push_back(recordOf(row));
  std::sort(selected.begin(), selected.end());
  const int currentRow = CurrentRow();
  const void* current = currentRow >= 0 ? recordOf(currentRow) : nullptr;
  BeginRowsReset();
  reorder();
  EndRowsReset();
  if (selected.empty() && current == nullptr) return;
  std::vector<int> rows;
  rows.reserve(selected.size());
  int newCurrent = -1;
  for (int row = 0; row < RowCount(); ++row) {
    const void* record = recordOf(row);
    if (record == current) newCurrent = row;
    if (std::binary_search(selected.begin(), selected.end(), record)) rows.push_back(row);
  }
  SelectRows(rows, newCurrent);
}

}  // namespace lists
