// The rows of the file list filled from a listing: what is listed, what is
// left out, failures, sort directions per column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    rows.Refill(fs, NativePath(path));
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
  EXPECT_EQ(fs.FindFirstCalls("/*.*"), 1);
  EXPECT_EQ(fs.FullListings("/d/*.*"), 1);
  Refill("/d");
  EXPECT_EQ(rows.Row(1)->Size(), 5ull << 32);
  EXPECT_EQ(rows.Row(1)->m_nSizeHigh, 5u);
  EXPECT_EQ(rows.Row(4), nullptr);
  EXPECT_EQ(rows.Row(-1), nullptr);
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

}  // namespace
