// The icon and list styles of a list pane: "Große Symbole" in a grid with
// names wrapped under the symbols, "Kleine Symbole" in rows and "Liste" in
// columns, every item as wide as the widest name the pane allows. The
// focused item shows its whole name, drawn over the items below it.
#pragma once

#include <QListView>

#include "lists/ListStyle.h"

namespace lists::qt {

class IconItemDelegate;

class IconListView : public QListView {
 public:
  explicit IconListView(QWidget* parent);

  // One of the icon styles: kIcon, kSmallIcon or kList.
  void SetIconStyle(ListStyle style);

  void reset() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  // Small icons and list: the widest name's item, at most the pane's width.
  void UpdateItemWidth();
  bool WholeNameShown() const;

  IconItemDelegate* m_delegate;
  bool m_large = false;
  int m_widestItem = -1;  // pixels; -1 until measured for the current rows
};

}  // namespace lists::qt
