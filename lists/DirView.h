// The directory list pane: while the directory-information mode is on,
// every new current path is scanned with everything beneath it and listed
// one row per directory, sorted by path.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lists/DirRecord.h"
#include "lists/ListViewBase.h"

namespace shell {
class CKolbrinDoc;
}

namespace lists {

class CDirView : public CListViewBase {
 public:
  CDirView(shell::CKolbrinDoc& doc, QWidget* parent);
  ~CDirView() override;

  void OnUpdate(fw::CView* sender, fw::LPARAM hint, fw::CObject* hintObject) override;

  int RowCount() const override { return static_cast<int>(m_rows.size()); }
  std::string CellText(int row, int column) const override;
  const CDirRecord& Record(int row) const { return *m_rows[static_cast<std::size_t>(row)]; }

  bool IsDirScanOn() const { return m_bDirScan; }

  // Called before each record is made; a test throws std::bad_alloc from it.
  void SetAllocationHookForTesting(std::function<void()> hook) { m_allocationHook = std::move(hook); }

  void OnViewDirScan();
  void OnUpdateViewDirScan(fw::CCmdUI* ui);
  void OnColumnClick(int column) override;

 protected:
  const fw::RouteMap* GetRouteMap() const override;
  void Invalidate() override;

 private:
  using Rows = std::vector<std::unique_ptr<CDirRecord>>;

  Rows RunDirScan(const char* path);
  void ShowProgress(const std::string& path);
  void SetStatusText(const QString& text);
  void SortRows(std::int32_t sortParam);

  bool m_bDirScan = false;
  std::array<signed char, 10> m_nSortDir{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  Rows m_rows;  // each row owns its record
  std::chrono::steady_clock::time_point m_lastProgress;
  std::function<void()> m_allocationHook;
};

}  // namespace lists
