#include "tree/qt/TreeLinesStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QTreeView>

namespace tree::qt {

namespace {
constexpr int kButton = 9;  // the plus/minus box, pixels, odd for a centred cross
}

TreeLinesStyle::TreeLinesStyle() = default;

void TreeLinesStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  if (element != PE_IndicatorBranch) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // The very first drive has nothing above it for its line to reach.
  bool firstAtTop = false;
  if (const auto* view = qobject_cast<const QTreeView*>(widget); view != nullptr) {
    const QModelIndex index = view->indexAt(QPoint(option->rect.right() + 1, option->rect.center().y()));
    firstAtTop = index.isValid() && index.row() == 0 && !index.parent().isValid();
  }
  DrawLines(option, painter, firstAtTop);
  if ((option->state & State_Children) != 0) DrawButton(option, painter);
}

// A line runs down through every level whose item has a later sibling; the
// item's own level turns right into the item, and stops there when the item
// is its parent's last child.
void TreeLinesStyle::DrawLines(const QStyleOption* option, QPainter* painter, bool firstAtTop) {
  const QRect r = option->rect;
  const QPoint mid = r.center();
  QPen pen(option->palette.color(QPalette::Dark), 0, Qt::DotLine);
  painter->save();
  painter->setPen(pen);
  if ((option->state & State_Item) != 0) {
    painter->drawLine(mid.x() + 1, mid.y(), r.right(), mid.y());
    const int top = firstAtTop ? mid.y() : r.top();
    const int bottom = (option->state & State_Sibling) != 0 ? r.bottom() : mid.y();
    painter->drawLine(mid.x(), top, mid.x(), bottom);
  } else if ((option->state & State_Sibling) != 0) {
    painter->drawLine(mid.x(), r.top(), mid.x(), r.bottom());
  }
  painter->restore();
}

void TreeLinesStyle::DrawButton(const QStyleOption* option, QPainter* painter) {
  const QPoint mid = option->rect.center();
  const QRect box(mid.x() - kButton / 2, mid.y() - kButton / 2, kButton - 1, kButton - 1);
  painter->save();
  painter->setPen(option->palette.color(QPalette::Dark));
  painter->setBrush(option->palette.color(QPalette::Base));
  painter->drawRect(box);
  painter->setPen(option->palette.color(QPalette::Text));
  painter->drawLine(box.left() + 2, mid.y(), box.right() - 2, mid.y());
  if ((option->state & State_Open) == 0) painter->drawLine(mid.x(), box.top() + 2, mid.x(), box.bottom() - 2);
  painter->restore();
}

}  // namespace tree::qt
