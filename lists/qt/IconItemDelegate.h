// Draws the items of the icon and list styles. Large icons: the symbol with
// its name under it, wrapped within the grid cell (at a word boundary where
// there is one, anywhere else otherwise) to at most two lines, the second
// one shortened at its end; the focused item's whole name on request.
// Small icons and list: one line, every item as wide as the widest name the
// view allows, a longer name shortened in its middle.
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace lists::qt {

class IconItemDelegate : public QStyledItemDelegate {
 public:
  explicit IconItemDelegate(QObject* parent);

  void SetLargeIcons(bool large) { m_large = large; }
  // Small icons and list: the width of every item, in pixels.
  void SetItemWidth(int width) { m_itemWidth = width; }
  int ItemWidth() const { return m_itemWidth; }

  // Large icons: the grid cell for the font, wide enough for a typical
  // name in two lines.
  static QSize LargeCell(const QFontMetrics& fm);
  // Large icons: the width a label wraps at.
  static int LabelWidth(const QFontMetrics& fm);
  // Large icons: the lines of a name in a label of the given width; all of
  // them when whole, else at most two.
  static QStringList LabelLines(const QString& name, const QFontMetrics& fm, int width, bool whole);

  // Large icons: the item with its whole name, drawn over its neighbours.
  void PaintWhole(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  void PaintLarge(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                  bool whole) const;

  bool m_large = false;
  int m_itemWidth = 0;
};

}  // namespace lists::qt
