// The directory list pane: while the directory-information mode is on,
// every new current path is scanned with everything beneath it and listed
// one row per directory, sorted by path. The scan runs on worker threads
// while the window waits for it, alive: Esc gives up and leaves the list
// empty.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "lists/DirScan.h"
#include "lists/qt/ListViewBase.h"

namespace lists {

class CDirView : public CListViewBase {
 public:
  CDirView(fw::CPathDocument& doc, QWidget* parent);
  ~CDirView() override;

  void OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) override;

  int RowCount() const override { return m_rows ? static_cast<int>(m_rows->rows.size()) : 0; }
  std::string CellText(int row, int column) const override;
  const CDirRecord& Record(int row) const { return *m_rows->rows[static_cast<std::size_t>(row)]; }

  bool IsDirScanOn() const { return m_bDirScan; }

  // Called where the scan takes memory, on the scan's threads; a test
  // throws std::bad_alloc from it.
  void SetAllocationHookForTesting(platform::ScanHook hook) { m_allocationHook = std::move(hook); }
  // How many threads walk; the default when 0.
  void SetScanThreadsForTesting(unsigned threads) { m_scanThreads = threads; }

  void OnViewDirScan();
  void OnUpdateViewDirScan(fw::CCmdUI* ui);
  void OnColumnClick(int column) override;

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  void Invalidate() override;

 private:
  std::unique_ptr<CDirRows> RunDirScan(const std::string& path);
  void SetStatusText(const QString& text);
  void SortRows(std::int32_t sortParam);

  bool m_bDirScan = false;
  std::array<signed char, 10> m_nSortDir{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  std::unique_ptr<CDirRows> m_rows;  // the records and the row order
  platform::ScanHook m_allocationHook;
  unsigned m_scanThreads = 0;
};

}  // namespace lists
