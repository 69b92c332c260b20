#include "lists/FileView.h"

#include <array>
#include <memory>

#include "framework/CmdUI.h"
#include "framework/JobRunner.h"
#include "framework/PathDocument.h"
#include "lists/FileCellText.h"
#include "output/PrintDC.h"

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

}  // namespace

CFileView::CFileView(fw::CPathDocument& doc) : CListView(doc, kColumns) {}

const fw::RouteMap* CFileView::GetRouteMap() const {
  static const fw::RouteEntry entries[] = {
      fw::Route::CommandRange<&CFileView::OnViewStyle>(ID_VIEW_LARGEICON, ID_VIEW_DETAILS),
      fw::Route::UpdateRange<&CFileView::OnUpdateViewStyle>(ID_VIEW_LARGEICON, ID_VIEW_DETAILS),
  };
  static const fw::RouteMap map{entries, CListView::GetRouteMap()};
  return &map;
}

// Rows, records, selection and sort order stay as they are.
void CFileView::OnViewStyle(fw::UINT id) {
  m_style = StyleOfCommand(id);
  ShowListStyle(m_style);
}

// A check mark, never disabled.
void CFileView::OnUpdateViewStyle(fw::CCmdUI* ui) { ui->SetCheck(m_style == StyleOfCommand(ui->m_nID) ? 1 : 0); }

void CFileView::OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) {
  if (hint.IsRepaintOnly()) {
    CListView::OnUpdate(sender, hint);
    return;
  }
  FillFileList(Doc().Path());
}

// The list empties at once; the listing and the sort by name run as a job
// the runner waits for, and the rows come in one reset. A listing the user
// gave up waiting for leaves the list empty.
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

std::string CFileView::CellText(int row, int column) const {
  std::string text;
  if (const CFileRecord* r = m_rows.Row(row)) FileCellText(*r, column, text);
  return text;
}

void CFileView::OnColumnClick(int column) {
  Reorder([this, column] { m_rows.OnColumnClick(column); }, [this](int row) -> const void* { return m_rows.Row(row); });
}

}  // namespace lists
