#include "lists/qt/ListWidgets.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>
#include <algorithm>

#include "framework/qt/ModalWait.h"
#include "framework/qt/Text.h"
#include "lists/qt/DetailsItemDelegate.h"
#include "lists/qt/IconListView.h"
#include "lists/qt/ListModel.h"
#include "output/qt/ListPrinter.h"
#include "output/qt/PrinterSource.h"

namespace lists::qt {

CListWidgets::CListWidgets(lists::CListView& view, std::span<const ColumnSpec> columns, QWidget* parent)
    : QStackedWidget(parent),
      m_view(view),
      m_model(new ListModel(view, *this, columns, this)),
      m_details(new QTreeView(this)),
      m_icons(new IconListView(this)) {
  m_details->setRootIsDecorated(false);
  m_details->setItemsExpandable(false);
  m_details->setUniformRowHeights(true);  // keeps huge lists fast
  m_details->setAllColumnsShowFocus(true);
  m_details->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_details->setModel(m_model);
  m_details->setContextMenuPolicy(Qt::NoContextMenu);
  m_details->setItemDelegate(new DetailsItemDelegate(m_details));
  QHeaderView* header = m_details->header();
  header->setSectionsClickable(true);
  header->setStretchLastSection(false);
  header->setSectionsMovable(false);
  header->setMinimumSectionSize(0);
  header->setTextElideMode(Qt::ElideRight);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    header->resizeSection(i, columns[static_cast<size_t>(i)].width);
  }
  connect(header, &QHeaderView::sectionClicked, this, [this](int c) { m_view.OnColumnClick(c); });

  // The icon and list styles share the model and the selection.
  m_icons->setModel(m_model);
  m_icons->setSelectionModel(m_details->selectionModel());
  m_icons->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_icons->setContextMenuPolicy(Qt::NoContextMenu);

  m_details->installEventFilter(this);
  m_icons->installEventFilter(this);
  addWidget(m_details);
  addWidget(m_icons);
  setCurrentWidget(m_details);
  setFocusProxy(m_details);
}

// The core view's rows are gone by now; the base widget's destructor
// still hides the child views, which would ask the model for them.
CListWidgets::~CListWidgets() { m_model->Detach(); }

// Print and preview use the application's printer, so that the printer
// setup applies.
void CListWidgets::PrintRows(output::ListOutput& output, const output::PrintSource& rows, bool preview) {
  if (m_printers == nullptr) return;
  output::ListPrinter printer(output, rows);
  if (preview) {
    printer.Preview(m_printers->Printer(), window());
  } else {
    printer.Print(m_printers->Printer(), window());
  }
}

void CListWidgets::Repaint() {
  if (auto* view = qobject_cast<QAbstractItemView*>(currentWidget())) view->viewport()->update();
}

int CListWidgets::ColumnWidth(int column) const { return m_details->header()->sectionSize(column); }

int CListWidgets::SelectedCount() const {
  return static_cast<int>(m_details->selectionModel()->selectedRows().size());
}

bool CListWidgets::IsRowSelected(int row) const {
  return m_details->selectionModel()->isRowSelected(row, {});
}

std::vector<int> CListWidgets::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : m_details->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CListWidgets::BeginReset() { m_model->BeginReset(); }
void CListWidgets::EndReset() { m_model->EndReset(); }

int CListWidgets::CurrentRow() const {
  const QModelIndex current = m_details->selectionModel()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void CListWidgets::SelectRows(std::span<const int> rows, int current) {
  QItemSelectionModel* selection = m_details->selectionModel();
  if (current >= 0 && current < m_model->rowCount()) {
    selection->setCurrentIndex(m_model->index(current, 0), QItemSelectionModel::NoUpdate);
  }
  // One range per run of neighbouring rows keeps a large selection cheap.
  QItemSelection sel;
  const int last = m_model->columnCount() - 1;
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t end = i + 1;
    while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
    sel.select(m_model->index(rows[i], 0), m_model->index(rows[end - 1], last));
    i = end;
  }
  selection->select(sel, QItemSelectionModel::ClearAndSelect);
}

QListView* CListWidgets::IconView() const { return m_icons; }

bool CListWidgets::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QStackedWidget::eventFilter(watched, event);
  const auto& key = *static_cast<QKeyEvent*>(event);
  const bool plain = (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (!plain || key.text().isEmpty() || !key.text().front().isPrint()) return false;
  SearchTyped(key);
  return true;
}

void CListWidgets::SearchTyped(const QKeyEvent& key) {
  const int current = CurrentRow();
  const fw::CIncrementalSearch::Step step =
      m_search.Type(key.text().toStdU16String(), fw::qt::CModalWait::KeyTime(key),
                    static_cast<std::uint64_t>(QApplication::keyboardInputInterval()), current >= 0);
  const QString text = QString::fromStdU16String(step.text);
  const int start = current < 0 ? 0 : current + (step.fromNext ? 1 : 0);
  const int found = fw::CIncrementalSearch::FindFrom(m_view.RowCount(), start, [&](int row) {
    return fw::qt::DisplayText(m_view.CellText(row, 0)).startsWith(text, Qt::CaseInsensitive);
  });
  if (found < 0) return;
  const int rows[] = {found};
  SelectRows(rows, found);
  m_details->scrollTo(m_model->index(found, 0));
  m_icons->scrollTo(m_model->index(found, 0));
}

void CListWidgets::SetListStyle(ListStyle style) {
  if (style == ListStyle::kReport) {
    setCurrentWidget(m_details);
    setFocusProxy(m_details);
    return;
  }
  m_model->SetLargeIcons(style == ListStyle::kIcon);
  m_icons->SetIconStyle(style);
  setCurrentWidget(m_icons);
  setFocusProxy(m_icons);
}

}  // namespace lists::qt
