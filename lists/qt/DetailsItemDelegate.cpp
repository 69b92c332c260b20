#include "lists/qt/DetailsItemDelegate.h"

namespace lists::qt {

void DetailsItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (index.column() != 0) option->state &= ~QStyle::State_Selected;
}

}  // namespace lists::qt
