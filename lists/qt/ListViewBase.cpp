#include "lists/qt/ListViewBase.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>

#include "framework/CmdUI.h"
#include "framework/JobRunner.h"
#include "framework/PathDocument.h"
#include "framework/qt/ModalWait.h"
#include "framework/qt/Text.h"
#include "lists/qt/DetailsItemDelegate.h"
#include "lists/qt/IconListView.h"
#include "lists/qt/ListModel.h"
#include "output/ExportCommand.h"
#include "output/ListOutput.h"
#include "output/qt/ListPrinter.h"
#include "output/qt/PrinterSource.h"

namespace lists {

CListViewBase::CListViewBase(fw::CPathDocument& doc, QWidget* parent,
                             std::span<const ColumnSpec> columns)
    : QStackedWidget(parent),
      m_doc(doc),
      m_model(new ListModel(*this, columns, this)),
      m_details(new QTreeView(this)),
      m_icons(new IconListView(this)) {
  SetDocument(&doc);
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
  connect(header, &QHeaderView::sectionClicked, this, [this](int c) { OnColumnClick(c); });

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

// The derived view's rows are gone by now; the base widget's destructor
// still hides the child views, which would ask the model for them.
CListViewBase::~CListViewBase() { m_model->Detach(); }

const fw::RouteMap* CListViewBase::GetRouteMap() const {
  using fw::Route::Command;
  using fw::Route::Update;
  static const fw::RouteEntry entries[] = {
      Update<&CListViewBase::OnUpdateListCommand>(ID_FILE_PRINT),
      Update<&CListViewBase::OnUpdateListCommand>(ID_FILE_PRINT_PREVIEW),
      Update<&CListViewBase::OnUpdateListCommand>(ID_EXPORT_FILE),
      Update<&CListViewBase::OnUpdateListCommand>(ID_EXPORT_EXCEL),
      Command<&CListViewBase::OnFilePrint>(ID_FILE_PRINT),
      Command<&CListViewBase::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
      Command<&CListViewBase::OnExportFile>(ID_EXPORT_FILE),
      Command<&CListViewBase::OnExportExcel>(ID_EXPORT_EXCEL),
  };
  static const fw::RouteMap map{entries, fw::CView::GetRouteMap()};
  return &map;
}

fw::JobRunner& CListViewBase::Runner() const { return m_runner != nullptr ? *m_runner : fw::RunAtOnce(); }

// Whether rows are selected plays no part: the export asks which to take.
void CListViewBase::OnUpdateListCommand(fw::CCmdUI* ui) { ui->Enable(RowCount() > 0); }

// Print and preview use the application's printer, so that the printer
// setup applies.
void CListViewBase::OnFilePrint() {
  if (m_output == nullptr || m_printers == nullptr) return;
  output::ListPrinter(*m_output, *this).Print(m_printers->Printer(), window());
}

void CListViewBase::OnFilePrintPreview() {
  if (m_output == nullptr || m_printers == nullptr) return;
  output::ListPrinter(*m_output, *this).Preview(m_printers->Printer(), window());
}

void CListViewBase::OnExportFile() {
  if (m_output != nullptr) m_output->ExportList(*this, output::EXPORT_TO_FILE);
}

void CListViewBase::OnExportExcel() {
  if (m_output != nullptr) m_output->ExportList(*this, output::EXPORT_TO_EXCEL);
}

bool CListViewBase::GetColumn(int index, output::ListColumn& out) const {
  const auto& cols = m_model->Columns();
  if (index < 0 || index >= static_cast<int>(cols.size())) return false;
  out.width = m_details->header()->sectionSize(index);
  out.title = fw::qt::FromQ(fw::qt::ResString(cols[static_cast<size_t>(index)].title));
  out.format = cols[static_cast<size_t>(index)].format;
  return true;
}

int CListViewBase::ColumnCount() const { return static_cast<int>(m_model->Columns().size()); }

int CListViewBase::SelectedCount() const {
  return static_cast<int>(m_details->selectionModel()->selectedRows().size());
}

bool CListViewBase::IsRowSelected(int row) const {
  return m_details->selectionModel()->isRowSelected(row, {});
}

std::vector<int> CListViewBase::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : m_details->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CListViewBase::BeginRowsReset() { m_model->BeginReset(); }
void CListViewBase::EndRowsReset() { m_model->EndReset(); }

int CListViewBase::CurrentRow() const {
  const QModelIndex current = m_details->selectionModel()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void CListViewBase::SelectRows(std::span<const int> rows, int current) {
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

QListView* CListViewBase::IconView() const { return m_icons; }

bool CListViewBase::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QStackedWidget::eventFilter(watched, event);
  const auto& key = *static_cast<QKeyEvent*>(event);
  const bool plain = (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (!plain || key.text().isEmpty() || !key.text().front().isPrint()) return false;
  const int current = CurrentRow();
  const fw::CIncrementalSearch::Step step =
      m_search.Type(key.text().toStdU16String(), fw::qt::CModalWait::KeyTime(key),
                    static_cast<std::uint64_t>(QApplication::keyboardInputInterval()), current >= 0);
  const QString text = QString::fromStdU16String(step.text);
  const int start = current < 0 ? 0 : current + (step.fromNext ? 1 : 0);
  const int found = fw::CIncrementalSearch::FindFrom(RowCount(), start, [&](int row) {
    return fw::qt::DisplayText(CellText(row, 0)).startsWith(text, Qt::CaseInsensitive);
  });
  if (found >= 0) {
    const int rows[] = {found};
    SelectRows(rows, found);
    m_details->scrollTo(m_model->index(found, 0));
    m_icons->scrollTo(m_model->index(found, 0));
  }
  return true;
}

void CListViewBase::SetListStyle(ListStyle style) {
  m_style = style;
  if (m_style == ListStyle::kReport) {
    setCurrentWidget(m_details);
    setFocusProxy(m_details);
    return;
  }
  m_model->SetLargeIcons(m_style == ListStyle::kIcon);
  m_icons->SetIconStyle(m_style);
  setCurrentWidget(m_icons);
  setFocusProxy(m_icons);
}

}  // namespace lists
