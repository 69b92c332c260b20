// Order of the directory list's rows: the sort key and the comparison of
// two records, and the merge sort over a comparison that is no ordering.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <span>
#include <vector>

#include "lists/DirCompare.h"
#include "lists/DirRecordArena.h"
#include "lists/MergeSort.h"

namespace {

using lists::CDirRecord;
using lists::CompareDirRows;
using lists::DirSortParam;

// A record of its own (a scanned top) with the whole path as its name.
CDirRecord Dir(const std::string& path, std::uint64_t total = 0, std::uint32_t subdirs = 0) {
  static lists::CDirRecordArena names;
  CDirRecord r;
  r.m_pszName = names.NewRecord(nullptr, path)->m_pszName;
  r.m_nTotalSize = total;
  r.m_nOwnSize = total;
  r.m_nSubdirs = subdirs;
  r.m_nTotalFiles = subdirs;
  r.m_nOwnFiles = subdirs;
  return r;
}

TEST(DirCompare, PathsCompareWholeTextFoldingOnlyAsciiLetters) {
  const auto up = DirSortParam(0, 1);
  EXPECT_LT(CompareDirRows(Dir("/a-z"), Dir("/a/b"), up), 0);  // '-' sorts before '/'
  EXPECT_LT(CompareDirRows(Dir("/abc"), Dir("/ABD"), up), 0);
  EXPECT_EQ(CompareDirRows(Dir("/Temp"), Dir("/tEMP"), up), 0);
  EXPECT_LT(CompareDirRows(Dir("/a"), Dir("/a/b"), up), 0);
  EXPECT_GT(CompareDirRows(Dir("/\xC3\x84"), Dir("/z"), up), 0);  // other bytes by their code
  EXPECT_NE(CompareDirRows(Dir("/\xC3\x84"), Dir("/\xC3\xA4"), up), 0);
  EXPECT_GT(CompareDirRows(Dir("/a-z"), Dir("/a/b"), DirSortParam(0, -1)), 0);
}

TEST(DirCompare, SizesAreNeverEqualAndCompareAllSixtyFourBits) {
  for (int column : {2, 4}) {
    const auto up = DirSortParam(column, 1);
    const auto down = DirSortParam(column, -1);
    EXPECT_EQ(CompareDirRows(Dir("/x", 7), Dir("/y", 7), up), -1);
    EXPECT_EQ(CompareDirRows(Dir("/x", 7), Dir("/y", 7), down), 1);
    EXPECT_EQ(CompareDirRows(Dir("/x", 1ull << 32), Dir("/y", 0xFFFFFFFFu), up), 1);
    EXPECT_EQ(CompareDirRows(Dir("/x", 1ull << 32), Dir("/y", 0xFFFFFFFFu), down), -1);
  }
}

TEST(DirCompare, CountsCompareByTheirSignedDifference) {
  for (int column : {1, 3, 5}) {
    const auto up = DirSortParam(column, 1);
    EXPECT_LT(CompareDirRows(Dir("/x", 0, 2), Dir("/y", 0, 5), up), 0);
    EXPECT_EQ(CompareDirRows(Dir("/x", 0, 5), Dir("/y", 0, 5), up), 0);
    EXPECT_GT(CompareDirRows(Dir("/x", 0, 2), Dir("/y", 0, 5), DirSortParam(column, -1)), 0);
    // The difference wraps as a 32-bit signed number, and negating it stays defined.
    EXPECT_LT(CompareDirRows(Dir("/x", 0, 0x80000000u), Dir("/y", 0, 0), up), 0);
    EXPECT_GT(CompareDirRows(Dir("/x", 0, 0x80000000u), Dir("/y", 0, 0), DirSortParam(column, -1)), 0);
  }
}

int Sign(int v) { return (v > 0) - (v < 0); }

// Records linked to their parents compare as their whole path texts do,
// whatever the names hold and whichever ancestor they share.
TEST(DirCompare, LinkedRecordsCompareAsTheirPathTexts) {
  const char* stems[] = {"a", "A", "a-z", "a.b", "b", "\xC3\x84", "\xC3\xA4", "Z"};
  for (const char* top : {"", "/", "/r", "/r/"}) {
    lists::CDirRecordArena arena;
    std::mt19937 random(7);
    std::vector<CDirRecord*> records{arena.NewRecord(nullptr, top)};
    for (int i = 0; i < 150; ++i) {
      CDirRecord* parent = records[random() % records.size()];
      const std::string name = std::string(stems[random() % std::size(stems)]) + (random() % 3 ? "" : "x");
      records.push_back(arena.NewRecord(parent, name));
    }
    for (const CDirRecord* a : records) {
      for (const CDirRecord* b : records) {
        const int expected = Sign(lists::CompareNoCaseAscii(a->DirPath().c_str(), b->DirPath().c_str()));
        ASSERT_EQ(Sign(CompareDirRows(*a, *b, DirSortParam(0, 1))), expected) << a->DirPath() << " " << b->DirPath();
      }
    }
  }
}

// Sizes never compare equal, so the comparison is no ordering; the sort
// must still come out ordered by size.
TEST(DirCompare, MergeSortOrdersEqualSizes) {
  std::vector<CDirRecord> rows;
  for (int i = 0; i < 100; ++i) rows.push_back(Dir("/d" + std::to_string(i), static_cast<std::uint64_t>(i % 3)));
  std::vector<const CDirRecord*> order;
  for (const auto& r : rows) order.push_back(&r);
  for (int direction : {1, -1}) {
    const auto key = DirSortParam(2, direction);
    lists::MergeSort(std::span(order), [key](const CDirRecord* a, const CDirRecord* b) {
      return CompareDirRows(*a, *b, key);
    });
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), [direction](auto* a, auto* b) {
      return direction > 0 ? a->m_nTotalSize < b->m_nTotalSize : a->m_nTotalSize > b->m_nTotalSize;
    }));
  }
}

}  // namespace
