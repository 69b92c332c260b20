// Order of both lists' rows: the comparisons per column and direction,
// the merge sort with a comparison that contradicts itself, and the file
// list's keyed sort giving exactly the order of the plain comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "lists/DirCompare.h"
#include "lists/DirRecordArena.h"
#include "lists/FileCompare.h"
#include "lists/MergeSort.h"

namespace {

using lists::CDirRecord;
using lists::CFileRecord;
using lists::CompareDirRows;
using lists::CompareRows;
using lists::DirSortParam;
using lists::MakeSortKey;

int Sign(int v) { return (v > 0) - (v < 0); }

CFileRecord Rec(std::string name, std::uint64_t size = 0, std::uint32_t attr = 0, std::uint64_t time = 0) {
  CFileRecord r;
  r.m_strName = std::move(name);
  r.m_nSizeLow = static_cast<std::uint32_t>(size);
  r.m_nSizeHigh = static_cast<std::uint32_t>(size >> 32);
  r.m_dwAttributes = attr;
  r.m_ftLastWrite = {time};
  r.m_ftCreation = {time * 3};
  r.m_ftLastAccess = {~time};
  return r;
}

TEST(FileListCompare, EachColumnInEachDirection) {
  const struct { CFileRecord a, b; int column, up; } cases[] = {
      {Rec("ReadMe.TXT"), Rec("readme.txt"), 0, 0},                   // ASCII letters fold
      {Rec("\xC3\x84pfel"), Rec("\xC3\xA4pfel"), 0, 0x84 - 0xA4},     // others do not
      {Rec("a_"), Rec("AB"), 0, '_' - 'b'},                           // the first differing pair
      {Rec("\xff"), Rec("a_"), 0, 0xFF - 'a'},                        // bytes are unsigned
      {Rec("a"), Rec("a_"), 0, -'_'},                                 // the end is below every byte
      {Rec("a", 5), Rec("b", 5), 1, -1},                              // sizes are never equal
      {Rec("big", (1ull << 32) + 1), Rec("small", 0xFFFFFFFFu), 1, 1},  // high halves first
      {Rec("a", 0, 0x21), Rec("b", 0, 0x01), 2, 0x20},                // attribute words' difference
      {Rec("lo", 0, 0), Rec("hi", 0, 0x80000000u), 2, INT32_MIN},    // reversed: no overflow
      {Rec("a", 0, 0, 100), Rec("b", 0, 0, 200), 3, -1},              // last write
      {Rec("a", 0, 0, 100), Rec("b", 0, 0, 200), 4, -1},              // creation
      {Rec("a", 0, 0, 100), Rec("b", 0, 0, 200), 5, 1},               // last access
      {Rec("a", 0, 0, 100), Rec("b", 0, 0, 100), 3, 0},
      {Rec("a", 1), Rec("b", 2), 9, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a.m_strName + " " + c.b.m_strName + " column " + std::to_string(c.column));
    EXPECT_EQ(CompareRows(&c.a, &c.b, MakeSortKey(c.column, 1)), c.up);
    EXPECT_EQ(CompareRows(&c.a, &c.b, MakeSortKey(c.column, -1)), c.up == INT32_MIN ? INT32_MAX : -c.up);
  }
}

TEST(FileListMergeSort, SortsStablyAndKeepsEveryElementWhateverTheComparisonSays) {
  std::mt19937 rng(7);
  for (std::size_t n : {0u, 1u, 2u, 23u, 24u, 25u, 100u, 4097u}) {
    std::vector<std::pair<int, int>> v;
    for (std::size_t i = 0; i < n; ++i) v.push_back({static_cast<int>(rng() % 50), static_cast<int>(i)});
    auto expected = v;
    std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.first < b.first; });
    auto sorted = v;
    lists::MergeSort(std::span(sorted), [](auto& a, auto& b) { return a.first - b.first; });
    EXPECT_EQ(sorted, expected) << n;
    const std::function<int(const std::pair<int, int>&, const std::pair<int, int>&)> contradicting[] = {
        [&rng](auto&, auto&) { return static_cast<int>(rng() % 3) - 1; }, [](auto&, auto&) { return -1; },
        [](auto&, auto&) { return 1; }};
    for (const auto& compare : contradicting) {
      auto s = v;
      lists::MergeSort(std::span(s), compare);
      std::sort(s.begin(), s.end(), [](auto& a, auto& b) { return a.second < b.second; });
      EXPECT_EQ(s, v) << n;
    }
  }
}

// Names with shared prefixes, case variants, equal sizes and times.
TEST(FileListSort, KeyedSortGivesTheOrderOfThePlainComparison) {
  std::mt19937 rng(11);
  const char* stems[] = {"datei_", "DATEI_", "Datei_0000000000", "a", "", "\xC3\xA4", "Z"};
  std::vector<CFileRecord> recs;
  for (int i = 0; i < 3000; ++i) {
    recs.push_back(Rec(stems[rng() % 7] + std::to_string(rng() % 200), rng() % 20 + (rng() % 2 ? 1ull << 32 : 0),
                       static_cast<std::uint32_t>(rng() % 4 == 0 ? 0x80000000u : rng() % 64), rng() % 30));
  }
  for (int column = 0; column < 7; ++column) {
    for (int dir : {1, -1}) {
      std::vector<const CFileRecord*> plain;
      for (const auto& r : recs) plain.push_back(&r);
      std::shuffle(plain.begin(), plain.end(), std::mt19937(static_cast<unsigned>(column * 10 + dir)));
      auto keyed = plain;
      const auto key = MakeSortKey(column, dir);
      lists::MergeSort(std::span(plain), [key](auto* a, auto* b) { return CompareRows(a, b, key); });
      lists::SortFileRows(keyed, key);
      EXPECT_EQ(keyed, plain) << "column " << column << " dir " << dir;
      // Sizes never compare equal, yet come out in order; attribute
      // differences of 2^31 wrap: the other columns are orders to check against.
      const bool isOrder = column == 0 || (column >= 3 && column <= 5);
      for (std::size_t i = 1; isOrder && i < plain.size(); ++i) ASSERT_LE(CompareRows(plain[i - 1], plain[i], key), 0);
      for (std::size_t i = 1; column == 1 && i < plain.size(); ++i)
        ASSERT_TRUE(dir > 0 ? plain[i - 1]->Size() <= plain[i]->Size() : plain[i - 1]->Size() >= plain[i]->Size());
    }
  }
}

// A scanned top with the whole path as its name, sizes and counts set.
CDirRecord Dir(const std::string& path, std::uint64_t size = 0, std::uint32_t count = 0) {
  static lists::CDirRecordArena names;
  CDirRecord r = *names.NewRecord(nullptr, path);
  r.m_nTotalSize = r.m_nOwnSize = size;
  r.m_nSubdirs = r.m_nTotalFiles = r.m_nOwnFiles = count;
  return r;
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

// Records linked to their parents compare as their whole path texts do
// ('-' before '/', only ASCII letters folded), whatever the names hold and
// whichever ancestor they share, in either direction.
TEST(DirCompare, LinkedRecordsCompareAsTheirPathTexts) {
  const struct { const char *a, *b; int sign; } texts[] = {
      {"/a-z", "/a/b", -1}, {"/Temp", "/tEMP", 0}, {"/\xC3\x84", "/z", 1}, {"/\xC3\xA4", "/\xC3\x84", 1}};
  for (const auto& t : texts) EXPECT_EQ(Sign(lists::CompareNoCaseAscii(t.a, t.b)), t.sign) << t.a << " " << t.b;
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
        ASSERT_EQ(Sign(CompareDirRows(*a, *b, DirSortParam(0, -1))), -expected) << a->DirPath() << " " << b->DirPath();
      }
    }
  }
}

}  // namespace
