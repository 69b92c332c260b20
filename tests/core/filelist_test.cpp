// The file list without widgets: the rows filled from a listing with their
// sort per column, and their cell texts.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "lists/FileCellText.h"
#include "lists/FileRows.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using test_support::NativePath;
using Names = std::vector<std::string>;

class FileListRows : public ::testing::Test {
 protected:
  FileListRows() {
    fs.AddFile("/d/b.txt", 300);
    fs.AddFile("/d/C.txt", 100).creation = {30};
    fs.AddFile("/d/.hidden", 200, platform::kAttrArchive | platform::kAttrHidden).creation = {10};
    fs.AddDirectory("/d/sub");
    fs.AddFile("/d/a.txt", 5ull << 32).creation = {20};
  }
  Names Order() const {
    Names out;
    for (const lists::CFileRecord* r : rows.Rows()) out.push_back(r->m_strName);
    return out;
  }
  Names Refill(const std::string& path) {
    platform::Job job(fs);
    rows.Refill(fs, job, NativePath(path));
    return Order();
  }
  test_support::FakeFileSystem fs;
  lists::CFileRows rows;
};

TEST_F(FileListRows, FilesWithHiddenOnesButNoDirectoriesSortedByName) {
  const std::string odd("x;y\tz\n&\xff\xc3(", 11);
  fs.AddFile("/top.txt", 1);
  fs.AddDirectory("/only/x");
  fs.FailListing("/locked");
  for (const char* name : {"c", "b", "a"}) fs.AddFile(std::string("/cut/") + name, 1);
  fs.FailListingAfter("/cut", 4);  // ".", "..", c, b
  fs.AddFile("/odd/" + odd, 1);
  fs.AddFile("/odd/a-name-longer-than-the-inline-buffer", 1);
  Names many;
  for (int i = 1000; i < 1300; ++i) many.push_back(std::to_string(i));
  for (auto it = many.rbegin(); it != many.rend(); ++it) fs.AddFile("/many/" + *it, 1);
  const struct { const char* path; Names names; } cases[] = {
      {"/d", {".hidden", "a.txt", "b.txt", "C.txt"}},
      {"/", {"top.txt"}},  // no second separator after the root
      {"/only", {}}, {"/locked", {}}, {"/missing", {}},
      {"/cut", {"b", "c"}},  // a failing listing keeps the files seen so far
      {"/odd", {"a-name-longer-than-the-inline-buffer", odd}},  // exact bytes
      {"/many", many}};
  for (const auto& c : cases) EXPECT_EQ(Refill(c.path), c.names) << c.path;
  EXPECT_EQ(fs.FindFirstCalls("/"), 1);
  EXPECT_EQ(fs.FullListings("/d"), 1);
  Refill("/d");
  EXPECT_EQ(rows.Row(1)->Size(), 5ull << 32);
  EXPECT_EQ(rows.Row(1)->m_nSizeHigh, 5u);
  for (int outside : {4, -1}) EXPECT_EQ(rows.Row(outside), nullptr) << outside;
  EXPECT_GE(rows.MemoryUse(), 4 * sizeof(lists::CFileRecord));
  rows.FreeRowRecords();
  EXPECT_EQ(rows.Count(), 0);
}

TEST_F(FileListRows, EachColumnTogglesByItselfUntilTheNextRefill) {
  Refill("/d");
  rows.OnColumnClick(1);  // largest first
  EXPECT_EQ(Order(), (Names{"a.txt", "b.txt", ".hidden", "C.txt"}));
  rows.OnColumnClick(1);
  EXPECT_EQ(Order(), (Names{"C.txt", ".hidden", "b.txt", "a.txt"}));
  rows.OnColumnClick(4);  // creation descending (b.txt has none)
  rows.OnColumnClick(0);  // names descending
  EXPECT_EQ(Order(), (Names{"C.txt", "b.txt", "a.txt", ".hidden"}));
  rows.OnColumnClick(4);  // creation ascending
  EXPECT_EQ(Order(), (Names{"b.txt", ".hidden", "a.txt", "C.txt"}));
  EXPECT_EQ(rows.SortDirection(4), 1);
  EXPECT_EQ(rows.SortDirection(0), -1);
  Refill("/d");
  for (int c = 0; c < 10; ++c) EXPECT_EQ(rows.SortDirection(c), 1);
  rows.OnColumnClick(0);
  EXPECT_EQ(Order(), (Names{"C.txt", "b.txt", "a.txt", ".hidden"}));
  rows.OnColumnClick(-1);  // ignored
  rows.OnColumnClick(10);
  EXPECT_EQ(Order(), (Names{"C.txt", "b.txt", "a.txt", ".hidden"}));
}

// 100-ns units since 1601 of a UTC calendar second.
platform::FileTime Utc(int y, unsigned m, unsigned d, int hh, int mm = 0, int ss = 0) {
  using namespace std::chrono;
  const sys_seconds t = sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss};
  return {static_cast<std::uint64_t>((t.time_since_epoch().count() + 11644473600LL) * 10000000LL)};
}

class FileListTimes : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetTimeZoneForTesting("Europe/Berlin"); }
  void TearDown() override { platform::SetTimeZoneForTesting(""); }
};

// Each time with the offset in force at that time, whatever the season of
// today; times that cannot be converted give an empty cell.
TEST_F(FileListTimes, LocalTimeTexts) {
  const std::pair<platform::FileTime, const char*> cases[] = {
      {Utc(2003, 3, 5, 13, 7, 9), "05.03.2003  14:07:09"},    // winter time, UTC+1
      {Utc(2003, 7, 1, 10), "01.07.2003  12:00:00"},          // summer time, UTC+2
      {Utc(2003, 3, 30, 0, 59, 59), "30.03.2003  01:59:59"},  // spring forward at 01:00 UTC
      {Utc(2003, 3, 30, 1), "30.03.2003  03:00:00"},
      {Utc(2003, 10, 26, 0, 30), "26.10.2003  02:30:00"},     // fall back at 01:00 UTC: 02:xx twice
      {Utc(2003, 10, 26, 1, 30), "26.10.2003  02:30:00"},
      {Utc(2003, 10, 26, 2), "26.10.2003  03:00:00"},
      {Utc(1969, 12, 31, 22), "31.12.1969  23:00:00"},        // before 1970 and after 2038
      {Utc(2100, 1, 1, 0), "01.01.2100  01:00:00"},
      {{0}, ""}};
  for (const auto& [time, text] : cases) {
    std::string out = "stale";
    lists::FileTimeText(time, out);
    EXPECT_EQ(out, text) << time.value;
  }
  std::string farFuture;
  lists::FileTimeText({~std::uint64_t{0}}, farFuture);  // must not fail
}

TEST_F(FileListTimes, EveryColumnOfARecord) {
  lists::CFileRecord r;
  r.m_strName = std::string("a;b\tc\nd&e\xff\xfe", 11);
  r.m_nSizeLow = 0x2A;
  r.m_nSizeHigh = 1;  // 4 GiB + 42
  r.m_dwAttributes = 0x20 | 0x2;
  r.m_ftLastWrite = Utc(2003, 3, 5, 13, 7, 9);
  r.m_ftLastAccess = Utc(2003, 7, 1, 10);
  const std::string expected[] = {r.m_strName, "4.294.967.338 Byte", "AH", "05.03.2003  14:07:09", "",
                                  "01.07.2003  12:00:00", ""};
  for (int column = 0; column < 7; ++column) {
    std::string out = "stale";
    lists::FileCellText(r, column, out);
    EXPECT_EQ(out, expected[column]) << column;
  }
  // Attribute letters in their fixed order; the directory bit adds none.
  const std::pair<std::uint32_t, const char*> letters[] = {
      {0, ""}, {0x80, ""}, {0x10, ""}, {0x20 | 0x1, "AR"}, {0x1 | 0x4 | 0x1000, "OSR"}, {0xFFFFFFFFu, "OCTASHR"}};
  for (const auto& [attributes, text] : letters) {
    std::string out = "stale";
    lists::AttributeLetters(attributes, out);
    EXPECT_EQ(out, text) << attributes;
  }
}

}  // namespace
