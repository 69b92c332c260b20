#include "lists/DirView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QTreeView>
#include <new>
#include <unordered_set>

#include "framework/CmdUI.h"
#include "framework/MessageBox.h"
#include "framework/ui/Text.h"
#include "lists/DirCompare.h"
#include "lists/DirScan.h"
#include "lists/MergeSort.h"
#include "output/PrintDC.h"
#include "shell/KolbrinDoc.h"
#include "shell/MainFrame.h"

namespace lists {

namespace {

constexpr ColumnSpec kColumns[] = {
    {IDS_DIRCOL_BASE + 0, 192, output::LVCFMT_LEFT},  {IDS_DIRCOL_BASE + 1, 105, output::LVCFMT_RIGHT},
    {IDS_DIRCOL_BASE + 2, 105, output::LVCFMT_RIGHT}, {IDS_DIRCOL_BASE + 3, 105, output::LVCFMT_RIGHT},
    {IDS_DIRCOL_BASE + 4, 105, output::LVCFMT_RIGHT}, {IDS_DIRCOL_BASE + 5, 105, output::LVCFMT_RIGHT},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

// The status text is repainted, and paint events are let through, at most
// this often: a repaint per directory would cost more than the scan.
constexpr auto kProgressInterval = std::chrono::milliseconds(50);

// The wait cursor for the length of a scan, however the scan ends.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

std::string SizeText(std::uint64_t bytes) {
  std::string text;
  shell::CKolbrinDoc::FormatSize(static_cast<std::uint32_t>(bytes),
                                 static_cast<std::uint32_t>(bytes >> 32), text);
  return text;
}

// The rows' positions in sorted order; the rows themselves stay put.
std::vector<std::uint32_t> SortOrder(const std::vector<std::unique_ptr<CDirRecord>>& rows,
                                     std::int32_t sortParam) {
  std::vector<std::uint32_t> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  MergeSort(std::span<std::uint32_t>(order), [&rows, sortParam](std::uint32_t a, std::uint32_t b) {
    return CompareDirRows(*rows[a], *rows[b], sortParam);
  });
  return order;
}

// Moves the rows into to (already sized) in the given order; allocates nothing.
void ApplyOrder(std::vector<std::unique_ptr<CDirRecord>>& from, const std::vector<std::uint32_t>& order,
                std::vector<std::unique_ptr<CDirRecord>>& to) noexcept {
  for (std::size_t i = 0; i < order.size(); ++i) to[i] = std::move(from[order[i]]);
}

}  // namespace

CDirView::CDirView(shell::CKolbrinDoc& doc, QWidget* parent) : CListViewBase(doc, parent, kColumns) {}

CDirView::~CDirView() = default;

const fw::RouteMap* CDirView::GetRouteMap() const {
  static const fw::RouteEntry entries[] = {
      fw::Route::Command<&CDirView::OnViewDirScan>(ID_VIEW_DIRSCAN),
      fw::Route::Update<&CDirView::OnUpdateViewDirScan>(ID_VIEW_DIRSCAN),
  };
  static const fw::RouteMap map{entries, CListViewBase::GetRouteMap()};
  return &map;
}

void CDirView::Invalidate() { DetailsView()->viewport()->update(); }

void CDirView::OnUpdate(fw::CView* sender, fw::LPARAM hint, fw::CObject* hintObject) {
  BeginRowsReset();
  m_rows.clear();
  EndRowsReset();
  if (hint == 0) {
    CListViewBase::OnUpdate(sender, 0, hintObject);
    return;
  }
  if (!m_bDirScan) return;
  Rows rows = RunDirScan(reinterpret_cast<const char*>(hint));
  // By path; the columns' directions stay as they are. The list takes the
  // sorted rows in one reset.
  const auto order = SortOrder(rows, DirSortParam(0, 1));
  Rows sorted(rows.size());
  BeginRowsReset();
  ApplyOrder(rows, order, sorted);
  m_rows.swap(sorted);
  EndRowsReset();
}

// One whole scan of path; the rows in visiting order. They are collected
// apart from the list, so the model never sees a half-made list.
CDirView::Rows CDirView::RunDirScan(const char* path) {
  m_nSortDir.fill(1);
  WaitCursor wait;
  Rows rows;
  m_lastProgress = {};
  DirScanCallbacks callbacks;
  callbacks.insertRow = [&rows](std::unique_ptr<CDirRecord> r) { rows.push_back(std::move(r)); };
  callbacks.enterDirectory = [this](const std::string& p) { ShowProgress(p); };
  callbacks.beforeAllocate = m_allocationHook;
  try {
    CDirScan(Doc().FileSystem(), std::move(callbacks)).Run(path);
  } catch (const std::bad_alloc&) {
    // The scan's own bookkeeping ran out: keep what was found so far.
    fw::AfxMessageBox(IDS_OUT_OF_MEMORY);
  }
  SetStatusText(QString());
  return rows;
}

// The directory being entered, shown and painted at a bounded rate.
void CDirView::ShowProgress(const std::string& path) {
  const auto now = std::chrono::steady_clock::now();
  if (now - m_lastProgress < kProgressInterval) return;
  m_lastProgress = now;
  SetStatusText(fw::ui::DisplayText(path));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CDirView::SetStatusText(const QString& text) {
  if (auto* frame = dynamic_cast<shell::CMainFrame*>(window())) frame->SetMessageText(text, true);
}

std::string CDirView::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount()) return {};
  const CDirRecord& r = Record(row);
  switch (column) {
    case 0: return r.m_strDirPath;
    case 1: return std::to_string(r.m_nSubdirs);
    case 2: return SizeText(r.m_nTotalSize);
    case 3: return std::to_string(r.m_nTotalFiles);
    case 4: return SizeText(r.m_nOwnSize);
    case 5: return std::to_string(r.m_nOwnFiles);
    default: return {};
  }
}

void CDirView::OnViewDirScan() {
  m_bDirScan = !m_bDirScan;
  if (m_bDirScan) {
    const std::string path = Doc().m_strPath;  // the copy lives through the scan
    OnUpdate(nullptr, reinterpret_cast<fw::LPARAM>(path.c_str()), nullptr);
  } else {
    OnUpdate(nullptr, 0, nullptr);
  }
}

void CDirView::OnUpdateViewDirScan(fw::CCmdUI* ui) { ui->SetCheck(m_bDirScan ? 1 : 0); }

void CDirView::OnColumnClick(int column) {
  if (column < 0 || column >= kColumnCount) return;
  auto& direction = m_nSortDir[static_cast<std::size_t>(column)];
  direction = static_cast<signed char>(-direction);
  SortRows(DirSortParam(column, direction));
}

// Sorts the rows and keeps the selected records selected.
void CDirView::SortRows(std::int32_t sortParam) {
  std::unordered_set<const CDirRecord*> selected;
  for (int row : SelectedRows()) selected.insert(&Record(row));
  const int currentRow = CurrentRow();
  const CDirRecord* current = currentRow >= 0 ? &Record(currentRow) : nullptr;
  const auto order = SortOrder(m_rows, sortParam);
  Rows sorted(m_rows.size());
  BeginRowsReset();
  ApplyOrder(m_rows, order, sorted);
  m_rows.swap(sorted);
  EndRowsReset();
  if (selected.empty() && current == nullptr) return;
  std::vector<int> keep;
  int newCurrent = -1;
  for (int row = 0; row < RowCount(); ++row) {
    if (selected.count(&Record(row)) != 0) keep.push_back(row);
    if (&Record(row) == current) newCurrent = row;
  }
  if (!keep.empty() || newCurrent >= 0) SelectRows(keep, newCurrent);
}

}  // namespace lists
