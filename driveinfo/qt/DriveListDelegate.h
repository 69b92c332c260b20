// Draws a drive list line as two columns: the root, and the type text at a
// fixed tab stop, so the types line up under the "Typ" heading. A root too
// long for its column is shortened in the middle.
#pragma once

#include <QStyledItemDelegate>

namespace driveinfo {

class CDriveListDelegate : public QStyledItemDelegate {
 public:
  // Item data roles the list fills beside the display text (root TAB type).
  static constexpr int kRootRole = Qt::UserRole;
  static constexpr int kTypeRole = Qt::UserRole + 1;

  // tabStop: pixels from the item's left edge to the type column.
  CDriveListDelegate(int tabStop, QObject* parent);

  int TabStop() const { return m_tabStop; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  int m_tabStop;
};

}  // namespace driveinfo
