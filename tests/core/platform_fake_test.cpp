// The in-memory file system that other tests build on.
#include <gtest/gtest.h>

#include "platform/PathStyle.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using platform::FindData;
using platform::FindLevel;

// The names listed in dir, which is written the POSIX way.
std::vector<std::string> Names(platform::FileSystem& fs, const std::string& dir) {
  std::vector<std::string> names;
  FindData data;
  auto handle = fs.FindFirst(platform::SearchPattern(test_support::NativePath(dir)), data, FindLevel::kFull);
  if (!handle) return names;
  do names.push_back(data.name);
  while (handle->Next(data));
  return names;
}

TEST(FakeFileSystemTest, ListsDotsThenChildrenInOrder) {
  test_support::FakeFileSystem fs;
  fs.AddFile("/a/b/file.txt", 5ull << 32);
  fs.AddDirectory("/a/b/sub");
  fs.AddFile("/a/top", 1);
  EXPECT_EQ(Names(fs, "/a/b"), (std::vector<std::string>{".", "..", "file.txt", "sub"}));
  EXPECT_EQ(Names(fs, "/"), (std::vector<std::string>{".", "..", "a"}));
  EXPECT_EQ(Names(fs, "/a/"), (std::vector<std::string>{".", "..", "b", "top"}));
  EXPECT_EQ(fs.Entry("/a/b/file.txt").size, 5ull << 32);
  EXPECT_TRUE(fs.Entry("/a/b").attributes & platform::kAttrDirectory);
  EXPECT_TRUE(Names(fs, "/nothing").empty());
}

TEST(FakeFileSystemTest, FailuresAndCounts) {
  test_support::FakeFileSystem fs;
  fs.AddFile("/d/1", 1);
  fs.AddFile("/d/2", 1);
  fs.AddDirectory("/locked");
  fs.FailListing("/locked");
  fs.FailListingAfter("/d", 3);
  EXPECT_TRUE(Names(fs, "/locked").empty());
  EXPECT_EQ(Names(fs, "/d").size(), 3u);

  FindData data;
  { auto probe = fs.FindFirst("/*.*", data, FindLevel::kNamesAndType); }
  Names(fs, "/");
  EXPECT_EQ(fs.FindFirstCalls("/*.*"), 2);
  EXPECT_EQ(fs.FullListings("/*.*"), 1);
  EXPECT_EQ(fs.PartialListings("/*.*"), 1);
  EXPECT_EQ(fs.PartialListings("/d/*.*"), 1);  // an error is no full listing
  EXPECT_EQ(fs.FindFirstCalls("/locked/*.*"), 1);
  EXPECT_EQ(fs.TotalFindFirstCalls(), 4);
}

}  // namespace
