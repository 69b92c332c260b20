// Order of the directory list's rows: the comparison of two records under
// a sort key of column and direction.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "lists/DirCompare.h"
#include "lists/DirRecordArena.h"

namespace {

using lists::CDirRecord;
using lists::CompareDirRows;
using lists::DirSortParam;

int Sign(int v) { return (v > 0) - (v < 0); }

// A scanned top with the whole path as its name, sizes and counts set.
CDirRecord Dir(const std::string& path, std::uint64_t size = 0, std::uint32_t count = 0) {
  static lists::CDirRecordArena names;
  CDirRecord r = *names.NewRecord(nullptr, path);
  r.m_nTotalSize = r.m_nOwnSize = size;
  r.m_nSubdirs = r.m_nTotalFiles = r.m_nOwnFiles = count;
  return r;
}

TEST(DirCompare, PathsCompareWholeTextFoldingOnlyAsciiLetters) {
  const struct { const char *a, *b; int sign; } cases[] = {
      {"/a-z", "/a/b", -1},  // '-' sorts before '/'
      {"/abc", "/ABD", -1}, {"/Temp", "/tEMP", 0}, {"/a", "/a/b", -1},
      {"/\xC3\x84", "/z", 1},  // other bytes by their code, unfolded
      {"/\xC3\xA4", "/\xC3\x84", 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(Sign(CompareDirRows(Dir(c.a), Dir(c.b), DirSortParam(0, 1))), c.sign) << c.a << " " << c.b;
    EXPECT_EQ(Sign(CompareDirRows(Dir(c.a), Dir(c.b), DirSortParam(0, -1))), -c.sign) << c.a << " " << c.b;
  }
}

// Sizes (columns 2, 4) are never equal and compare all 64 bits; counts
// (1, 3, 5) compare by their 32-bit signed difference, whose negation
// stays defined.
TEST(DirCompare, SizesAreNeverEqualCountsCompareByTheirSignedDifference) {
  const struct { std::uint64_t sizeA, sizeB; std::uint32_t countA, countB; int sizeSign, countSign; } cases[] = {
      {7, 7, 5, 5, -1, 0}, {1ull << 32, 0xFFFFFFFFu, 2, 5, 1, -1}, {0, 1, 0x80000000u, 0, -1, -1}};
  for (const auto& c : cases) {
    const CDirRecord a = Dir("/x", c.sizeA, c.countA), b = Dir("/y", c.sizeB, c.countB);
    for (int column = 1; column <= 5; ++column) {
      const int up = CompareDirRows(a, b, DirSortParam(column, 1));
      EXPECT_EQ(column % 2 == 0 ? up : Sign(up), column % 2 == 0 ? c.sizeSign : c.countSign) << column;
      EXPECT_EQ(CompareDirRows(a, b, DirSortParam(column, -1)), -up) << column;
    }
  }
  EXPECT_EQ(CompareDirRows(Dir("/x", 1), Dir("/y", 2), DirSortParam(6, 1)), 0);
}

// Records linked to their parents compare as their whole path texts do,
// whatever the names hold and whichever ancestor they share.
TEST(DirCompare, LinkedRecordsCompareAsTheirPathTexts) {
  const char* stems[] = {"a", "A", "a-z", "a.b", "b", "\xC3\x84", "\xC3\xA4", "Z"};
  for (const char* top : {"", "/", "/r", "/r/"}) {
    lists::CDirRecordArena arena;
    std::mt19937 random(7);
    std::vector<CDirRecord*> records{arena.NewRecord(nullptr, top)};
    for (int i = 0; i < 100; ++i) {
      const std::string name = std::string(stems[random() % std::size(stems)]) + (random() % 3 ? "" : "x");
      records.push_back(arena.NewRecord(records[random() % records.size()], name));
    }
    for (const CDirRecord* a : records) {
      for (const CDirRecord* b : records) {
        const int expected = Sign(lists::CompareNoCaseAscii(a->DirPath().c_str(), b->DirPath().c_str()));
        ASSERT_EQ(Sign(CompareDirRows(*a, *b, DirSortParam(0, 1))), expected) << a->DirPath() << " " << b->DirPath();
      }
    }
  }
}

}  // namespace
