// Comparing and sorting file rows: the comparison per column, the merge
// sort with a comparison that contradicts itself, and the keyed sort giving
// exactly the order of the plain comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "lists/FileCompare.h"
#include "lists/MergeSort.h"

namespace {

using lists::CFileRecord;
using lists::CompareRows;
using lists::MakeSortKey;

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
      // Sizes never compare equal and attribute differences of 2^31 wrap:
      // only the other columns are orders to check against.
      const bool isOrder = column == 0 || (column >= 3 && column <= 5);
      for (std::size_t i = 1; isOrder && i < plain.size(); ++i) EXPECT_LE(CompareRows(plain[i - 1], plain[i], key), 0);
    }
  }
}

}  // namespace
