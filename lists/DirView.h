// The directory list pane without its widget: while the directory
// information mode is on, every new path of the document is scanned with
// everything beneath it and listed one row per directory, sorted by path.
// The scan is a job the runner waits for; a scan the user gave up leaves
// the list empty.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "lists/DirScan.h"
#include "lists/ListView.h"

namespace lists {

class CDirView : public CListView {
 public:
  explicit CDirView(fw::CPathDocument& doc);
  ~CDirView() override;

  void OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) override;

  int RowCount() const override { return m_rows ? static_cast<int>(m_rows->rows.size()) : 0; }
  std::string CellText(int row, int column) const override;
  const CDirRecord& Record(int row) const { return *m_rows->rows[static_cast<std::size_t>(row)]; }

  bool IsDirScanOn() const { return m_bDirScan; }
  void OnViewDirScan();
  void OnUpdateViewDirScan(fw::CCmdUI* ui);
  void OnColumnClick(int column) override;

  // Called where the scan takes memory, on the scan's threads; a test
  // throws std::bad_alloc from it.
  void SetAllocationHookForTesting(platform::ScanHook hook) { m_allocationHook = std::move(hook); }
  // How many threads walk; the default when 0.
  void SetScanThreadsForTesting(unsigned threads) { m_scanThreads = threads; }

 protected:
  const fw::RouteMap* GetRouteMap() const override;

 private:
  std::unique_ptr<CDirRows> RunDirScan(const std::string& path);

  bool m_bDirScan = false;
  std::array<signed char, 10> m_nSortDir{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  std::unique_ptr<CDirRows> m_rows;  // the records and the row order
  platform::ScanHook m_allocationHook;
  unsigned m_scanThreads = 0;
};

}  // namespace lists
