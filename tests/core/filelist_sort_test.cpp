// Comparing and sorting file rows: the comparison per column, the merge
// sort with a comparison that contradicts itself, and the keyed sort giving
// exactly the order of the plain comparison.
#include <gtest/gtest.h>

#include <algorithm>
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

CFileRecord Rec(std::string name, std::uint64_t size = 0, std::uint32_t attr = 0,
                std::uint64_t time = 0) {
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

TEST(FileListCompare, NamesFoldOnlyAsciiLetters) {
  const auto a = Rec("ReadMe.TXT"), b = Rec("readme.txt");
  for (int d : {1, -1}) EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(0, d)), 0);
  const auto upper = Rec("\xC3\x84pfel"), lower = Rec("\xC3\xA4pfel");  // "Äpfel" / "äpfel"
  EXPECT_LT(CompareRows(&upper, &lower, MakeSortKey(0, 1)), 0);
  EXPECT_GT(CompareRows(&upper, &lower, MakeSortKey(0, -1)), 0);
  // Difference of the first differing pair; bytes above 0x7F are unsigned;
  // '_' (0x5F) lies between the folded letters and 'Z' unfolded.
  const auto x = Rec("a_"), y = Rec("AB"), hi = Rec("\xff"), shortName = Rec("a");
  EXPECT_EQ(CompareRows(&x, &y, MakeSortKey(0, 1)), '_' - 'b');
  EXPECT_EQ(CompareRows(&hi, &x, MakeSortKey(0, 1)), 0xFF - 'a');
  EXPECT_EQ(CompareRows(&shortName, &x, MakeSortKey(0, 1)), -'_');
}

TEST(FileListCompare, EqualSizesNeverCompareEqual) {
  const auto a = Rec("a", 5), b = Rec("b", 5);
  for (int d : {1, -1}) {
    EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(1, d)), -d);
    EXPECT_EQ(CompareRows(&b, &a, MakeSortKey(1, d)), -d);
  }
  const auto big = Rec("big", (std::uint64_t{1} << 32) + 1), small = Rec("small", 0xFFFFFFFFu);
  EXPECT_EQ(CompareRows(&big, &small, MakeSortKey(1, 1)), 1);  // high halves first
  EXPECT_EQ(CompareRows(&small, &big, MakeSortKey(1, 1)), -1);
  EXPECT_EQ(CompareRows(&big, &small, MakeSortKey(1, -1)), -1);
}

TEST(FileListCompare, AttributesAndTimes) {
  const auto a = Rec("a", 0, 0x21, 100), b = Rec("b", 0, 0x01, 200);
  EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(2, 1)), 0x20);
  EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(2, -1)), -0x20);
  EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(3, 1)), -1);
  EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(4, -1)), 1);
  EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(5, 1)), 1);  // ~time reverses
  EXPECT_EQ(CompareRows(&a, &a, MakeSortKey(3, 1)), 0);
  EXPECT_EQ(CompareRows(&a, &b, MakeSortKey(9, 1)), 0);
  // A difference of -2^31 reversed must not overflow.
  const auto lo = Rec("lo", 0, 0), hi = Rec("hi", 0, 0x80000000u);
  EXPECT_GT(CompareRows(&lo, &hi, MakeSortKey(2, -1)), 0);
}

TEST(FileListMergeSort, EndsAndKeepsEveryElementWhateverTheComparisonSays) {
  std::mt19937 rng(7);
  for (std::size_t n : {0u, 1u, 2u, 23u, 24u, 25u, 100u, 1000u, 4097u}) {
    std::vector<int> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<int>(i);
    const std::function<int(int, int)> comparisons[] = {
        [&rng](int, int) { return static_cast<int>(rng() % 3) - 1; },
        [](int, int) { return -1; },
        [](int, int) { return 1; }};
    for (const auto& compare : comparisons) {
      std::vector<int> s = v;
      lists::MergeSort(std::span<int>(s), compare);
      std::sort(s.begin(), s.end());
      EXPECT_EQ(s, v) << "n=" << n;
    }
  }
}

TEST(FileListMergeSort, SortsAndIsStable) {
  std::mt19937 rng(3);
  std::vector<std::pair<int, int>> v;
  for (int i = 0; i < 5000; ++i) v.push_back({static_cast<int>(rng() % 50), i});
  auto expected = v;
  std::stable_sort(expected.begin(), expected.end(),
                   [](auto& a, auto& b) { return a.first < b.first; });
  lists::MergeSort(std::span<std::pair<int, int>>(v),
                   [](auto& a, auto& b) { return a.first - b.first; });
  EXPECT_EQ(v, expected);
}

// Names with shared prefixes, case variants, equal sizes and times.
std::vector<CFileRecord> RandomRecords(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  const char* stems[] = {"datei_", "DATEI_", "Datei_0000000000", "a", "", "\xC3\xA4", "Z"};
  std::vector<CFileRecord> recs;
  for (std::size_t i = 0; i < n; ++i) {
    std::string name = stems[rng() % 7] + std::to_string(rng() % 200);
    recs.push_back(Rec(name, rng() % 20 + (rng() % 2 ? std::uint64_t{1} << 32 : 0),
                       static_cast<std::uint32_t>(rng() % 4 == 0 ? 0x80000000u : rng() % 64),
                       rng() % 30));
  }
  return recs;
}

TEST(FileListSort, KeyedSortGivesTheOrderOfThePlainComparison) {
  auto recs = RandomRecords(3000, 11);
  for (int column = 0; column < 7; ++column) {
    for (int dir : {1, -1}) {
      std::vector<const CFileRecord*> plain, keyed;
      for (const auto& r : recs) plain.push_back(&r);
      std::shuffle(plain.begin(), plain.end(), std::mt19937(static_cast<unsigned>(column * 10 + dir)));
      keyed = plain;
      const auto key = MakeSortKey(column, dir);
      lists::MergeSort(std::span<const CFileRecord*>(plain),
                       [key](const CFileRecord* a, const CFileRecord* b) { return CompareRows(a, b, key); });
      lists::SortFileRows(keyed, key);
      EXPECT_EQ(keyed, plain) << "column " << column << " dir " << dir;
      // Sizes never compare equal and attribute differences of 2^31 wrap:
      // only the other columns are orders to check against.
      const bool isOrder = column == 0 || (column >= 3 && column <= 5);
      for (std::size_t i = 1; isOrder && i < plain.size(); ++i)
        EXPECT_LE(CompareRows(plain[i - 1], plain[i], key), 0);
    }
  }
}

}  // namespace
