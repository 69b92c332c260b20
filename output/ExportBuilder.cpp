#include "output/ExportBuilder.h"

#include "output/ListContents.h"

namespace output {

namespace {

ExportRow Titles(const CListContents& list, int columns) {
  ExportRow titles;
  titles.reserve(static_cast<std::size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    ListColumn column;
    // A column the list cannot describe keeps its place with an empty title.
    titles.push_back(list.GetColumn(c, column) ? std::move(column.title) : std::string());
  }
  return titles;
}

}  // namespace

ExportRows BuildExportRows(const CListContents& list, bool selectedOnly) {
  const int columns = list.ColumnCount();
  ExportRows rows;
  rows.push_back(Titles(list, columns));
  const int count = list.RowCount();
  rows.reserve(static_cast<std::size_t>(selectedOnly ? list.SelectedCount() : count) + 1);
  for (int r = 0; r < count; ++r) {
    if (selectedOnly && !list.IsRowSelected(r)) continue;
    ExportRow& row = rows.emplace_back();
    row.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) row.push_back(list.CellText(r, c));
  }
  return rows;
}

}  // namespace output
