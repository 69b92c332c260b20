#include "lists/qt/FileView.h"

#include <QBitmap>
#include <QPixmap>

namespace lists::qt {

namespace {

// The sheet symbol with its magenta background made transparent.
QIcon SheetIcon(const QString& resource) {
  QPixmap pixmap(resource);
  pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  return QIcon(pixmap);
}

}  // namespace

CFileView::CFileView(fw::CPathDocument& doc, QWidget* parent)
    : CListPane(doc, parent),
      m_iconSmall(SheetIcon(QStringLiteral(":/res/bitmap130.xpm"))),
      m_iconLarge(SheetIcon(QStringLiteral(":/res/bitmap131.xpm"))) {}

QIcon CFileView::RowIcon(int row, bool large) const {
  if (Rows().Row(row) == nullptr) return {};
  return large ? m_iconLarge : m_iconSmall;
}

}  // namespace lists::qt
