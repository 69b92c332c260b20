#include "lists/qt/IconItemDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace lists::qt {

namespace {

constexpr int kSymbol = 32;        // large symbol, pixels
constexpr int kMargin = 2;         // around symbol and label
constexpr int kLabelChars = 18;    // label width, in average characters
constexpr int kLabelPadding = 2;   // between a label's text and its highlight

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
  return option.widget != nullptr ? option.widget->style() : QApplication::style();
}

QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option) {
  if ((option.state & QStyle::State_Enabled) == 0) return QPalette::Disabled;
  return (option.state & QStyle::State_Active) != 0 ? QPalette::Active : QPalette::Inactive;
}

int WidestLine(const QStringList& lines, const QFontMetrics& fm) {
  int widest = 0;
  for (const QString& line : lines) widest = qMax(widest, fm.horizontalAdvance(line));
  return widest;
}

}  // namespace

IconItemDelegate::IconItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

int IconItemDelegate::LabelWidth(const QFontMetrics& fm) { return kLabelChars * fm.averageCharWidth(); }

QSize IconItemDelegate::LargeCell(const QFontMetrics& fm) {
  return {LabelWidth(fm) + 2 * (kMargin + kLabelPadding),
          kMargin + kSymbol + 2 * kMargin + 2 * fm.lineSpacing() + 2 * kMargin};
}

QStringList IconItemDelegate::LabelLines(const QString& name, const QFontMetrics& fm, int width, bool whole) {
  QTextLayout layout(name);
  QTextOption option(Qt::AlignHCenter);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    if (!whole && lines.size() == 1) {
      // The second line holds the rest, shortened at its end.
      lines << fm.elidedText(name.mid(line.textStart()).trimmed(), Qt::ElideRight, width);
      break;
    }
    lines << name.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  return lines;
}

QSize IconItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (m_large) return LargeCell(option.fontMetrics);
  return {m_itemWidth, QStyledItemDelegate::sizeHint(option, index).height()};
}

void IconItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  if (m_large) {
    PaintLarge(painter, option, index, false);
    return;
  }
  // A short name is highlighted as far as it reaches, not across the cell.
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QSize own = QStyledItemDelegate::sizeHint(option, index);
  if (own.width() < opt.rect.width()) opt.rect.setWidth(own.width());
  opt.textElideMode = Qt::ElideMiddle;
  StyleOf(opt)->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

void IconItemDelegate::PaintWhole(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  PaintLarge(painter, option, index, true);
}

// The symbol centred at the top; under it the label, highlighted when the
// item is selected and framed when it has the focus.
void IconItemDelegate::PaintLarge(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index, bool whole) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QFontMetrics& fm = opt.fontMetrics;
  const bool selected = (opt.state & QStyle::State_Selected) != 0;
  const QRect symbol(opt.rect.center().x() - kSymbol / 2 + 1, opt.rect.top() + kMargin, kSymbol, kSymbol);
  opt.icon.paint(painter, symbol, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);

  const QStringList lines = LabelLines(opt.text, fm, LabelWidth(fm), whole);
  int textWidth = WidestLine(lines, fm);
  // The whole name covers the shortened one drawn before it.
  if (whole) textWidth = qMax(textWidth, WidestLine(LabelLines(opt.text, fm, LabelWidth(fm), false), fm));
  const QRect text(opt.rect.center().x() - textWidth / 2 + 1, symbol.bottom() + 1 + 2 * kMargin, textWidth,
                   static_cast<int>(lines.size()) * fm.lineSpacing());
  const QRect label = text.adjusted(-kLabelPadding, 0, kLabelPadding, 0);
  const QPalette::ColorGroup group = GroupOf(opt);
  painter->save();
  if (selected) {
    painter->fillRect(label, opt.palette.brush(group, QPalette::Highlight));
  } else if (whole) {
    painter->fillRect(label, opt.palette.brush(group, QPalette::Base));  // over the neighbours
  }
  painter->setFont(opt.font);
  painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  int y = text.top();
  for (const QString& line : lines) {
    painter->drawText(QRect(label.left(), y, label.width(), fm.lineSpacing()), Qt::AlignHCenter | Qt::AlignTop,
                      line);
    y += fm.lineSpacing();
  }
  painter->restore();
  if ((opt.state & QStyle::State_HasFocus) != 0) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(opt);
    focus.rect = label;
    focus.backgroundColor = opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
    StyleOf(opt)->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
  }
}

}  // namespace lists::qt
