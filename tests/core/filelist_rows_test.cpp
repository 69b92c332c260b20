// The rows of the file list filled from a listing: what is listed, what is
// left out, failures, sort directions per column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/FileRows.h"
#include "tests/support/FakeFileSystem.h"

namespace {

std::vector<std::string> Names(const lists::CFileRows& rows) {
  std::vector<std::string> out;
  for (const lists::CFileRecord* r : rows.Rows()) out.push_back(r->m_strName);
  return out;
}

class FileListRows : public ::testing::Test {
 protected:
  FileListRows() {
    fs.AddFile("/d/b.txt", 300);
    fs.AddFile("/d/C.txt", 100).creation = {30};
    fs.AddFile("/d/.hidden", 200, platform::kAttrArchive | platform::kAttrHidden).creation = {10};
    fs.AddDirectory("/d/sub");
    fs.AddFile("/d/a.txt", 5ull << 32).creation = {20};
  }
  test_support::FakeFileSystem fs;
  lists::CFileRows rows;
};

TEST_F(FileListRows, ListsFilesWithHiddenOnesButNoDirectoriesSortedByName) {
  rows.Refill(fs, "/d");
  EXPECT_EQ(Names(rows), (std::vector<std::string>{".hidden", "a.txt", "b.txt", "C.txt"}));
  EXPECT_EQ(rows.Row(1)->Size(), 5ull << 32);
  EXPECT_EQ(rows.Row(1)->m_nSizeHigh, 5u);
  EXPECT_EQ(rows.Row(4), nullptr);
  EXPECT_EQ(rows.Row(-1), nullptr);
  EXPECT_EQ(fs.FullListings("/d/*.*"), 1);
}

TEST_F(FileListRows, RootPathGetsNoSecondSeparator) {
  fs.AddFile("/top.txt", 1);
  rows.Refill(fs, test_support::SystemRoot());
  EXPECT_EQ(fs.FindFirstCalls("/*.*"), 1);
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"top.txt"}));
}

TEST_F(FileListRows, OnlySubdirectoriesOrUnreadableGiveAnEmptyList) {
  fs.AddDirectory("/only/x");
  fs.AddDirectory("/only/y");
  rows.Refill(fs, "/d");
  rows.Refill(fs, "/only");
  EXPECT_EQ(rows.Count(), 0);
  rows.Refill(fs, "/d");
  fs.FailListing("/locked");
  rows.Refill(fs, "/locked");
  EXPECT_EQ(rows.Count(), 0);
  rows.Refill(fs, "/missing");
  EXPECT_EQ(rows.Count(), 0);
}

TEST_F(FileListRows, AFailingListingKeepsTheFilesSeenSoFar) {
  fs.FailListingAfter("/d", 4);  // ".", "..", b.txt, C.txt
  rows.Refill(fs, "/d");
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"b.txt", "C.txt"}));
}

TEST_F(FileListRows, EachColumnTogglesByItselfUntilTheNextRefill) {
  rows.Refill(fs, "/d");
  rows.OnColumnClick(1);  // largest first
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"a.txt", "b.txt", ".hidden", "C.txt"}));
  rows.OnColumnClick(1);
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"C.txt", ".hidden", "b.txt", "a.txt"}));
  rows.OnColumnClick(4);  // creation descending (b.txt has none)
  rows.OnColumnClick(0);  // names descending
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"C.txt", "b.txt", "a.txt", ".hidden"}));
  rows.OnColumnClick(4);  // creation ascending
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"b.txt", ".hidden", "a.txt", "C.txt"}));
  EXPECT_EQ(rows.SortDirection(4), 1);
  EXPECT_EQ(rows.SortDirection(0), -1);
  rows.Refill(fs, "/d");
  for (int c = 0; c < 10; ++c) EXPECT_EQ(rows.SortDirection(c), 1);
  rows.OnColumnClick(0);
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"C.txt", "b.txt", "a.txt", ".hidden"}));
  rows.OnColumnClick(-1);  // ignored
  rows.OnColumnClick(10);
  EXPECT_EQ(rows.Count(), 4);
}

TEST_F(FileListRows, ExactNameBytesAndMemoryAccounting) {
  const std::string odd = std::string("x;y\tz\n&\xff\xc3(", 11);
  fs.AddFile("/odd/" + odd, 1);
  fs.AddFile("/odd/a-name-longer-than-the-inline-buffer", 1);
  rows.Refill(fs, "/odd");
  ASSERT_EQ(rows.Count(), 2);
  EXPECT_EQ(rows.Row(1)->m_strName, odd);
  EXPECT_GE(rows.MemoryUse(), 2 * sizeof(lists::CFileRecord) + 48);
  rows.FreeRowRecords();
  EXPECT_EQ(rows.Count(), 0);
}

}  // namespace
