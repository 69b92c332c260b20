// The file list pane: the files of the directory selected in the tree,
// one row per file, cell texts made on demand, sorted by a click on a
// column heading.
#pragma once

#include <QIcon>
#include <string>

#include "lists/FileRows.h"
#include "lists/qt/ListViewBase.h"

namespace lists {

class CFileView : public CListViewBase {
 public:
  CFileView(fw::CPathDocument& doc, QWidget* parent);
  ~CFileView() override;

  // A repaint-only hint repaints; any other hint names the directory to list.
  void OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) override;

  int RowCount() const override;
  std::string CellText(int row, int column) const override;
  QIcon RowIcon(int row, bool large) const override;

  const CFileRows& Rows() const { return m_rows; }

  // "Große Symbole" to "Details": the list style, with a check mark on the
  // current one.
  void OnViewStyle(fw::UINT id);
  void OnUpdateViewStyle(fw::CCmdUI* ui);

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  void OnColumnClick(int column) override;
  void Invalidate() override;

 private:
  void FillFileList(const std::string& path);

  CFileRows m_rows;
  QIcon m_iconSmall;
  QIcon m_iconLarge;
};

}  // namespace lists
