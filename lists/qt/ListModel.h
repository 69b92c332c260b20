// The item model of a list pane: no stored texts, every cell is asked of the
// view when it is drawn or read.
#pragma once

#include <QAbstractTableModel>
#include <span>
#include <vector>

#include "lists/qt/ListViewBase.h"

namespace lists {

class ListModel : public QAbstractTableModel {
 public:
  ListModel(CListViewBase& view, std::span<const ColumnSpec> columns, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const std::vector<ColumnSpec>& Columns() const { return m_columns; }
  // Around a change of the rows.
  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  void SetLargeIcons(bool large) { m_largeIcons = large; }
  // From now on the model is empty and never calls the view again: the
  // view is being destroyed, but its child widgets may still ask.
  void Detach() {
    m_detached = true;  // first: the views may ask while they let go of the rows
    beginResetModel();
    endResetModel();
  }

 private:
  CListViewBase& m_view;
  std::vector<ColumnSpec> m_columns;
  bool m_largeIcons = false;
  bool m_detached = false;
};

}  // namespace lists
