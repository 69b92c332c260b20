// The details style's cells. Only the label cell (the first column) shows
// the selection, as a list without full-row selection does; the view frames
// the whole focused row.
#pragma once

#include <QStyledItemDelegate>

namespace lists::qt {

class DetailsItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace lists::qt
