#include "lists/qt/IconListView.h"

#include <QPainter>

#include "lists/qt/IconItemDelegate.h"
#include "lists/qt/ListWidgets.h"

namespace lists::qt {

IconListView::IconListView(QWidget* parent) : QListView(parent), m_delegate(new IconItemDelegate(this)) {
  setItemDelegate(m_delegate);
  setUniformItemSizes(true);  // keeps huge lists fast; the delegate sizes every item alike
  setResizeMode(QListView::Adjust);
  setTextElideMode(Qt::ElideMiddle);
}

void IconListView::SetIconStyle(ListStyle style) {
  m_large = style == ListStyle::kIcon;
  m_delegate->SetLargeIcons(m_large);
  setViewMode(m_large ? QListView::IconMode : QListView::ListMode);
  setMovement(QListView::Static);
  setIconSize(m_large ? QSize(32, 32) : QSize(16, 16));
  // Small icons run in rows, the list style in columns.
  setFlow(style == ListStyle::kList ? QListView::TopToBottom : QListView::LeftToRight);
  setWrapping(true);
  setGridSize(m_large ? IconItemDelegate::LargeCell(fontMetrics()) : QSize());
  setSpacing(m_large ? 0 : 2);
  setWordWrap(m_large);
  m_widestItem = -1;
  if (isVisible()) UpdateItemWidth();
  // Lay the items out anew for the new symbols; a reset would also clear
  // the selection and current row, which the views share.
  doItemsLayout();
  viewport()->update();
}

// The names are measured only while the view is shown: the details style
// refills the shared model without paying for it.
void IconListView::reset() {
  m_widestItem = -1;
  QListView::reset();
  if (isVisible()) UpdateItemWidth();
}

void IconListView::showEvent(QShowEvent* event) {
  UpdateItemWidth();
  QListView::showEvent(event);
}

void IconListView::UpdateItemWidth() {
  if (m_large || model() == nullptr) return;
  if (m_widestItem < 0) {
    m_widestItem = 0;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QFontMetrics fm = fontMetrics();
    int widestRow = -1;
    int widestText = -1;
    for (int row = 0; row < model()->rowCount(rootIndex()); ++row) {
      const int text = fm.horizontalAdvance(model()->index(row, 0, rootIndex()).data().toString());
      if (text > widestText) {
        widestText = text;
        widestRow = row;
      }
    }
    if (widestRow >= 0) {
      m_widestItem = m_delegate->QStyledItemDelegate::sizeHint(option, model()->index(widestRow, 0, rootIndex()))
                         .width();
    }
  }
  const int room = viewport()->width() - 2 * spacing();
  const int width = qMax(1, qMin(m_widestItem, room));
  if (width == m_delegate->ItemWidth()) return;
  m_delegate->SetItemWidth(width);
  scheduleDelayedItemsLayout();
}

void IconListView::resizeEvent(QResizeEvent* event) {
  UpdateItemWidth();
  QListView::resizeEvent(event);
}

bool IconListView::WholeNameShown() const { return m_large && hasFocus() && currentIndex().isValid(); }

void IconListView::paintEvent(QPaintEvent* event) {
  QListView::paintEvent(event);
  if (!WholeNameShown()) return;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(currentIndex());
  option.state |= QStyle::State_HasFocus;
  if (selectionModel()->isSelected(currentIndex())) option.state |= QStyle::State_Selected;
  QPainter painter(viewport());
  m_delegate->PaintWhole(&painter, option, currentIndex());
}

// The whole name reaches over other items: those have to be drawn again
// when it moves or goes.
void IconListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QListView::currentChanged(current, previous);
  if (m_large) viewport()->update();
}

void IconListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  if (m_large) viewport()->update();
}

void IconListView::focusOutEvent(QFocusEvent* event) {
  QListView::focusOutEvent(event);
  if (m_large) viewport()->update();
}

}  // namespace lists::qt
