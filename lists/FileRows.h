// The rows of the file list and the records they own, without any window:
// filling from a directory listing, the per-column sort directions and the
// sort. Records live in a few large blocks (no allocation per row beyond
// a name longer than the string's inline buffer); the row order is an
// array of record pointers, which is what sorting moves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/FileRecord.h"
#include "platform/FileSystem.h"

namespace lists {

class CFileRows {
 public:
  CFileRows() { m_nSortDir.fill(1); }
  CFileRows(const CFileRows&) = delete;
  CFileRows& operator=(const CFileRows&) = delete;
  // Records stay where they are: a row list can be read on a worker and
  // moved into the view.
  CFileRows(CFileRows&&) = default;
  CFileRows& operator=(CFileRows&&) = default;

  // Releases every record (the rows go with them).
  void FreeRowRecords();

  // Replaces the rows with the files (not the directories) of path, resets
  // every sort direction to +1 and sorts by name ascending. A directory
  // that cannot be listed leaves the list empty; when memory runs out the
  // files listed so far stay.
  void Refill(platform::FileSystem& fs, platform::Job& job, std::string_view path);

  // Adds one row at the end for a listing entry; false when out of memory.
  bool InsertFileRow(const platform::FindData& entry);

  // Negates the column's direction and sorts by the column with it.
  void OnColumnClick(int column);
  void Sort(std::int32_t sortKey);

  int Count() const { return static_cast<int>(m_rows.size()); }
  const CFileRecord* Row(int row) const {
    return row >= 0 && row < Count() ? m_rows[static_cast<std::size_t>(row)] : nullptr;
  }
  std::span<const CFileRecord* const> Rows() const { return m_rows; }
  int SortDirection(int column) const {
    return column >= 0 && column < kSortDirs ? m_nSortDir[static_cast<std::size_t>(column)] : 1;
  }

  // Bytes held for the rows: record blocks, row array and the names kept
  // outside the records (with the heap's 16-byte granules).
  std::size_t MemoryUse() const;

 private:
  static constexpr int kSortDirs = 10;
  CFileRecord* NewRecord();
  void FillFileList(platform::FileSystem& fs, platform::Job& job, std::string_view path);

  struct Block {
    std::unique_ptr<CFileRecord[]> records;
    std::size_t size;
  };
  std::vector<Block> m_blocks;
  std::size_t m_usedInLast = 0;
  std::vector<const CFileRecord*> m_rows;  // the row order
  std::array<signed char, kSortDirs> m_nSortDir;
};

}  // namespace lists
