// Sorting the file list: the sort key, the comparison of two rows and the
// sort of the row order by one column.
#pragma once

#include <cstdint>
#include <span>

#include "lists/FileRecord.h"

namespace lists {

// Column index in the low 16 bits, direction (+1 or -1) as a signed 16-bit
// value in the high 16 bits.
constexpr std::int32_t MakeSortKey(int column, int direction) {
  const auto dir = static_cast<std::uint16_t>(static_cast<std::int16_t>(direction));
  const auto col = static_cast<std::uint16_t>(column);
  return static_cast<std::int32_t>((std::uint32_t{dir} << 16) | col);
}
constexpr int SortKeyColumn(std::int32_t key) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(key) & 0xFFFFu);
}
constexpr int SortKeyDirection(std::int32_t key) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(key) >> 16));
}

// Names compared byte by byte with only A-Z folded to a-z; the difference
// of the first differing pair, 0 when equal.
int CompareNamesAsciiNoCase(const std::string& a, const std::string& b);

// The row comparison: negative when r1 goes first. Per column 0 name,
// 1 size (+1 when r1 is larger, otherwise -1: equal sizes never compare
// equal), 2 attribute word difference, 3-5 the raw file times; times the
// key's direction. Unknown columns compare equal.
int CompareRows(const CFileRecord* r1, const CFileRecord* r2, std::int32_t sortKey);

// Puts rows in the order of CompareRows under sortKey, with the merge sort
// (stable, ends whatever the comparison says). Gives the same order as
// MergeSort(rows, CompareRows) but reads each record once instead of at
// every comparison.
void SortFileRows(std::span<const CFileRecord*> rows, std::int32_t sortKey);

}  // namespace lists
