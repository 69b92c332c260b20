#include "driveinfo/qt/DriveListDelegate.h"

#include <QApplication>
#include <QPainter>

namespace driveinfo {

namespace {

// Control characters (a mount point may hold a tab or a newline) would
// break the single line; they are shown as spaces.
QString OneLine(QString text) {
  for (QChar& c : text) {
    if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
  }
  return text;
}

}  // namespace

CDriveListDelegate::CDriveListDelegate(int tabStop, QObject* parent)
    : QStyledItemDelegate(parent), m_tabStop(tabStop) {}

void CDriveListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  opt.text.clear();  // background, selection and focus only; the texts follow
  const QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

  const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
  const int typeLeft = option.rect.left() + m_tabStop;
  const int gap = opt.fontMetrics.horizontalAdvance(QLatin1Char(' '));
  const QRect rootRect(textRect.left(), textRect.top(), qMax(0, typeLeft - gap - textRect.left()),
                       textRect.height());
  const QRect typeRect(typeLeft, textRect.top(), qMax(0, textRect.right() - typeLeft + 1),
                       textRect.height());

  const bool selected = (opt.state & QStyle::State_Selected) != 0;
  const QPalette::ColorGroup group =
      (opt.state & QStyle::State_Enabled) == 0 ? QPalette::Disabled
      : (opt.state & QStyle::State_Active) != 0 ? QPalette::Active
                                                 : QPalette::Inactive;
  painter->save();
  painter->setFont(opt.font);
  painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  const QString root = OneLine(index.data(kRootRole).toString());
  painter->drawText(rootRect, flags, opt.fontMetrics.elidedText(root, Qt::ElideMiddle, rootRect.width()));
  const QString type = OneLine(index.data(kTypeRole).toString());
  painter->drawText(typeRect, flags, opt.fontMetrics.elidedText(type, Qt::ElideRight, typeRect.width()));
  painter->restore();
}

}  // namespace driveinfo
