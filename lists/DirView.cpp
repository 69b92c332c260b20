#include "lists/DirView.h"

#include <new>

#include "framework/CmdUI.h"
#include "framework/JobRunner.h"
#include "framework/MessageBox.h"
#include "framework/PathDocument.h"
#include "framework/StatusPane.h"
#include "lists/DirCompare.h"
#include "lists/MergeSort.h"
#include "output/FormatSize.h"
#include "output/PrintDC.h"

namespace lists {

namespace {

constexpr ColumnSpec kColumns[] = {
    {IDS_DIRCOL_BASE + 0, 192, output::ColumnFormat::kLeft},
    {IDS_DIRCOL_BASE + 1, 105, output::ColumnFormat::kRight},
    {IDS_DIRCOL_BASE + 2, 105, output::ColumnFormat::kRight},
    {IDS_DIRCOL_BASE + 3, 105, output::ColumnFormat::kRight},
    {IDS_DIRCOL_BASE + 4, 105, output::ColumnFormat::kRight},
    {IDS_DIRCOL_BASE + 5, 105, output::ColumnFormat::kRight},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

void SortRecords(std::vector<CDirRecord*>& rows, std::int32_t sortParam) {
  MergeSort(std::span<CDirRecord*>(rows), [sortParam](const CDirRecord* a, const CDirRecord* b) {
    return CompareDirRows(*a, *b, sortParam);
  });
}

// One scan as the worker runs it: the walk, then the sort by path, both
// off the user-interface thread. Owned jointly by the worker and the view,
// so a scan the user gave up on finishes without touching the view.
struct ScanJob {
  ScanJob(platform::FileSystem& fs, platform::Job& job, CDirScan::Walkers threads, platform::ScanHook hook,
          std::string top)
      : scan(fs, job, threads, std::move(hook)), path(std::move(top)) {}

  void Run() {
    try {
      rows = scan.Run(path);
      outOfMemory = rows->outOfMemory;
      if (!scan.Cancelled()) SortRecords(rows->rows, DirSortParam(0, 1));
    } catch (const std::bad_alloc&) {
      outOfMemory = true;  // what was found so far stays
    }
  }

  CDirScan scan;
  const std::string path;
  std::unique_ptr<CDirRows> rows;  // freed with the job, never while the view may read it
  bool outOfMemory = false;
};

}  // namespace

CDirView::CDirView(fw::CPathDocument& doc) : CListView(doc, kColumns) {}

CDirView::~CDirView() = default;

const fw::RouteMap* CDirView::GetRouteMap() const {
  static const fw::RouteEntry entries[] = {
      fw::Route::Command<&CDirView::OnViewDirScan>(ID_VIEW_DIRSCAN),
      fw::Route::Update<&CDirView::OnUpdateViewDirScan>(ID_VIEW_DIRSCAN),
  };
  static const fw::RouteMap map{entries, CListView::GetRouteMap()};
  return &map;
}

void CDirView::OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) {
  BeginRowsReset();
  m_rows.reset();
  EndRowsReset();
  if (hint.IsRepaintOnly()) {
    CListView::OnUpdate(sender, hint);
    return;
  }
  if (!m_bDirScan) return;
  std::unique_ptr<CDirRows> rows = RunDirScan(Doc().Path());
  if (!rows) return;
  // Already sorted by path; the columns' directions stay as they are.
  BeginRowsReset();
  m_rows = std::move(rows);
  EndRowsReset();
}

// One whole scan of path, sorted by path; null when the user gave up (Esc
// or the close box), since half-counted figures would mislead.
std::unique_ptr<CDirRows> CDirView::RunDirScan(const std::string& path) {
  m_nSortDir.fill(1);
  const CDirScan::Walkers walkers = m_scanThreads != 0 ? CDirScan::Walkers(m_scanThreads) : CDirScan::DefaultWalkers();
  auto job = std::make_shared<platform::Job>(Doc().FileSystem());
  auto scan = std::make_shared<ScanJob>(Doc().FileSystem(), *job, walkers, m_allocationHook, path);
  job->SetProgress([weak = std::weak_ptr<ScanJob>(scan)]() -> std::string {
    const auto running = weak.lock();
    const CDirRecord* last = running ? running->scan.LastEntered() : nullptr;
    return last != nullptr ? last->DirPath() : std::string();
  });
  const bool done = Runner().Run(job, [job, scan] { scan->Run(); });
  if (Status() != nullptr) Status()->SetMessageText({}, true);
  if (!done) return nullptr;
  if (scan->outOfMemory) fw::AfxMessageBox(IDS_OUT_OF_MEMORY);
  return std::move(scan->rows);
}

std::string CDirView::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount()) return {};
  const CDirRecord& r = Record(row);
  switch (column) {
    case 0: return r.DirPath();
    case 1: return std::to_string(r.m_nSubdirs);
    case 2: return output::FormatSize(r.m_nTotalSize);
    case 3: return std::to_string(r.m_nTotalFiles);
    case 4: return output::FormatSize(r.m_nOwnSize);
    case 5: return std::to_string(r.m_nOwnFiles);
    default: return {};
  }
}

void CDirView::OnViewDirScan() {
  m_bDirScan = !m_bDirScan;
  OnUpdate(nullptr, m_bDirScan ? fw::UpdateHint::NewPath() : fw::UpdateHint());
}

void CDirView::OnUpdateViewDirScan(fw::CCmdUI* ui) { ui->SetCheck(m_bDirScan ? 1 : 0); }

// Each column keeps its own direction until the next scan.
void CDirView::OnColumnClick(int column) {
  if (column < 0 || column >= kColumnCount || !m_rows) return;
  auto& direction = m_nSortDir[static_cast<std::size_t>(column)];
  direction = static_cast<signed char>(-direction);
  std::vector<CDirRecord*> sorted = m_rows->rows;
  SortRecords(sorted, DirSortParam(column, direction));
  Reorder([this, &sorted] { m_rows->rows.swap(sorted); }, [this](int row) -> const void* { return &Record(row); });
}

}  // namespace lists
