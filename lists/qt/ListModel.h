// The item model of a list pane: no stored texts, every cell is asked of the
// core view when it is drawn or read.
#pragma once

#include <QAbstractTableModel>
#include <span>
#include <vector>

#include "lists/ListView.h"

namespace lists::qt {

class CListWidgets;

class ListModel : public QAbstractTableModel {
 public:
  // view gives the rows, widgets the rows' icons and the headings' room.
  ListModel(const lists::CListView& view, const CListWidgets& widgets, std::span<const ColumnSpec> columns,
            QObject* parent);

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
  const lists::CListView& m_view;
  const CListWidgets& m_widgets;
  std::vector<ColumnSpec> m_columns;
  bool m_largeIcons = false;
  bool m_detached = false;
};

}  // namespace lists::qt
