// The file list pane without its widget: the files of the document's path,
// one row per file, cell texts made when asked for, sorted by a click on a
// column heading, and the four list styles with a check mark on the one
// shown.
#pragma once

#include <string>

#include "lists/FileRows.h"
#include "lists/ListView.h"

namespace lists {

class CFileView : public CListView {
 public:
  explicit CFileView(fw::CPathDocument& doc);

  // A repaint-only hint repaints; a new path is listed.
  void OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) override;

  int RowCount() const override { return m_rows.Count(); }
  std::string CellText(int row, int column) const override;
  const CFileRows& Rows() const { return m_rows; }

  ListStyle GetListStyle() const { return m_style; }
  // "Große Symbole" to "Details".
  void OnViewStyle(fw::UINT id);
  void OnUpdateViewStyle(fw::CCmdUI* ui);
  void OnColumnClick(int column) override;

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  // Shows the rows in style (the widget).
  virtual void ShowListStyle(ListStyle style) = 0;

 private:
  void FillFileList(const std::string& path);

  CFileRows m_rows;
  ListStyle m_style = ListStyle::kReport;
};

}  // namespace lists
