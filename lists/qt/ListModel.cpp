#include "lists/qt/ListModel.h"

#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

#include "framework/qt/Text.h"
#include "lists/qt/ListWidgets.h"
#include "output/PrintDC.h"

namespace lists::qt {

ListModel::ListModel(const lists::CListView& view, const CListWidgets& widgets, std::span<const ColumnSpec> columns,
                     QObject* parent)
    : QAbstractTableModel(parent), m_view(view), m_widgets(widgets), m_columns(columns.begin(), columns.end()) {}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || m_detached ? 0 : m_view.RowCount();
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

namespace {
Qt::Alignment AlignmentOf(unsigned format) {
  switch (format & output::ColumnFormat::kJustifyMask) {
    case output::ColumnFormat::kRight: return Qt::AlignRight | Qt::AlignVCenter;
    case output::ColumnFormat::kCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}
}  // namespace

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || m_detached) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return fw::qt::DisplayText(m_view.CellText(index.row(), index.column()));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(AlignmentOf(m_columns[static_cast<size_t>(index.column())].format));
    case Qt::DecorationRole:
      if (index.column() == 0) {
        const QIcon icon = m_widgets.RowIcon(index.row(), m_largeIcons);
        if (!icon.isNull()) return icon;
      }
      return {};
    default: return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      section >= static_cast<int>(m_columns.size())) {
    return {};
  }
  const ColumnSpec& c = m_columns[static_cast<size_t>(section)];
  if (role == Qt::DisplayRole) return fw::qt::ResString(c.title);
  if (role == Qt::TextAlignmentRole) {
    // A heading wider than its column shows its beginning, not its end.
    const QTreeView* details = m_detached ? nullptr : m_widgets.DetailsView();
    if (details == nullptr) return QVariant::fromValue(AlignmentOf(c.format));
    const QHeaderView* header = details->header();
    const QString title = fw::qt::ResString(c.title);
    const int room = header->sectionSize(section) - 2 * header->style()->pixelMetric(
                                                         QStyle::PM_HeaderMargin, nullptr, header);
    if (header->fontMetrics().horizontalAdvance(title) > room) {
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return QVariant::fromValue(AlignmentOf(c.format));
  }
  return {};
}

}  // namespace lists::qt
