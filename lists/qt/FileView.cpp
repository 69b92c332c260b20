#include "lists/qt/FileView.h"

#include <QBitmap>
#include <QPixmap>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/PathDocument.h"
#include "framework/JobRunner.h"
#include "lists/FileCellText.h"
#include "output/PrintDC.h"
#include "res/resource.h"

namespace lists {
namespace {

constexpr std::array<ColumnSpec, kFileColumnCount> kColumns{{
    {IDS_FILECOL_BASE + 0, 192, output::ColumnFormat::kLeft},
    {IDS_FILECOL_BASE + 1, 128, output::ColumnFormat::kRight},
    {IDS_FILECOL_BASE + 2, 60, output::ColumnFormat::kRight},
    {IDS_FILECOL_BASE + 3, 128, output::ColumnFormat::kCenter},
    {IDS_FILECOL_BASE + 4, 128, output::ColumnFormat::kCenter},
    {IDS_FILECOL_BASE + 5, 128, output::ColumnFormat::kCenter},
}};

// The styles of ID_VIEW_LARGEICON to ID_VIEW_DETAILS, in id order.
constexpr std::array<ListStyle, 4> kViewStyles{ListStyle::kIcon, ListStyle::kSmallIcon, ListStyle::kList,
                                               ListStyle::kReport};
static_assert(ID_VIEW_DETAILS - ID_VIEW_LARGEICON + 1 == kViewStyles.size());

ListStyle StyleOfCommand(fw::UINT id) { return kViewStyles[id - ID_VIEW_LARGEICON]; }

// The sheet symbol with its magenta background made transparent.
QIcon SheetIcon(const QString& resource) {
  QPixmap pixmap(resource);
  pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  return QIcon(pixmap);
}

}  // namespace

CFileView::CFileView(fw::CPathDocument& doc, QWidget* parent)
    : CListViewBase(doc, parent, kColumns),
      m_iconSmall(SheetIcon(QStringLiteral(":/res/bitmap130.xpm"))),
      m_iconLarge(SheetIcon(QStringLiteral(":/res/bitmap131.xpm"))) {}

CFileView::~CFileView() = default;

const fw::RouteMap* CFileView::GetRouteMap() const {
  static const fw::RouteEntry entries[] = {
      fw::Route::CommandRange<&CFileView::OnViewStyle>(ID_VIEW_LARGEICON, ID_VIEW_DETAILS),
      fw::Route::UpdateRange<&CFileView::OnUpdateViewStyle>(ID_VIEW_LARGEICON, ID_VIEW_DETAILS),
  };
  static const fw::RouteMap map{entries, CListViewBase::GetRouteMap()};
  return &map;
}

// Rows, records, selection and sort order stay as they are.
void CFileView::OnViewStyle(fw::UINT id) { SetListStyle(StyleOfCommand(id)); }

// A check mark, never disabled.
void CFileView::OnUpdateViewStyle(fw::CCmdUI* ui) {
  ui->SetCheck(GetListStyle() == StyleOfCommand(ui->m_nID) ? 1 : 0);
}

void CFileView::OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) {
  if (hint.IsRepaintOnly()) {
    CListViewBase::OnUpdate(sender, hint);
    return;
  }
  FillFileList(hint.Path());
}

// The list empties at once; the listing and the sort by name run on a
// worker while the window waits, and the rows come in one model reset. A
// listing the user gave up waiting for leaves the list empty.
void CFileView::FillFileList(const std::string& path) {
  BeginRowsReset();
  m_rows.FreeRowRecords();
  EndRowsReset();
  auto rows = std::make_shared<CFileRows>();
  platform::FileSystem* fs = &Doc().FileSystem();
  auto job = std::make_shared<platform::Job>(*fs);
  if (!Runner().Run(job, [rows, fs, job, path] { rows->Refill(*fs, *job, path); })) return;
  BeginRowsReset();
  m_rows = std::move(*rows);
  EndRowsReset();
}

int CFileView::RowCount() const { return m_rows.Count(); }

std::string CFileView::CellText(int row, int column) const {
  std::string text;
  if (const CFileRecord* r = m_rows.Row(row)) FileCellText(*r, column, text);
  return text;
}

QIcon CFileView::RowIcon(int row, bool large) const {
  if (m_rows.Row(row) == nullptr) return {};
  return large ? m_iconLarge : m_iconSmall;
}

void CFileView::OnColumnClick(int column) {
  // The selection follows its records to their new rows.
  std::vector<const CFileRecord*> selected;
  for (int row : SelectedRows()) selected.push_back(m_rows.Row(row));
  const CFileRecord* current = m_rows.Row(CurrentRow());
  std::sort(selected.begin(), selected.end());

  BeginRowsReset();
  m_rows.OnColumnClick(column);
  EndRowsReset();

  std::vector<int> rows;
  rows.reserve(selected.size());
  int currentRow = -1;
  for (int i = 0; i < m_rows.Count(); ++i) {
    const CFileRecord* r = m_rows.Row(i);
    if (r == current) currentRow = i;
    if (std::binary_search(selected.begin(), selected.end(), r)) rows.push_back(i);
  }
  SelectRows(rows, currentRow);
}

void CFileView::Invalidate() {
  if (auto* view = qobject_cast<QAbstractItemView*>(currentWidget())) view->viewport()->update();
}

}  // namespace lists
