// The recursive directory scan on the in-memory file system.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "tests/core/dirscan_run.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using dirscantest::Row;
using dirscantest::Scan;
using test_support::FakeFileSystem;
using test_support::NativePath;

TEST(DirScan, RowsInVisitingOrderWithTheirSumsEachDirectoryListedOnce) {
  FakeFileSystem f;
  f.AddDirectory("/r/z/deep");
  f.AddFile("/r/file", 1);
  f.AddFile("/r/a/ten", 10);
  f.AddFile("/r/a/twenty", 20);
  f.AddFile("/r/a/B/five", 5);
  f.AddDirectory("/r/a/B/C");
  f.AddFile("/r/...", 7);  // only "." and ".." are skipped, byte for byte
  for (const auto& [name, size] : {std::pair{"/r/e/one", 1}, {"/r/e/two", 2}, {"/r/e/three", 4}}) f.AddFile(name, size);
  f.FailListingAfter("/r/e", 4);  // an error after ".", "..", one, two: what was counted stands
  const auto r = Scan(f, NativePath("/r/"));
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/r/"), 6, 46, 7, 8, 2},  // no doubled separator below
                                      {NativePath("/r/z"), 1, 0, 0, 0, 0},
                                      {NativePath("/r/z/deep"), 0, 0, 0, 0, 0},
                                      {NativePath("/r/a"), 2, 35, 3, 30, 2},
                                      {NativePath("/r/a/B"), 1, 5, 1, 5, 1},
                                      {NativePath("/r/a/B/C"), 0, 0, 0, 0, 0},
                                      {NativePath("/r/e"), 0, 3, 2, 3, 2}}));
  EXPECT_FALSE(r.outOfMemory);
  EXPECT_EQ(f.TotalFindFirstCalls(), 7);
  for (const char* dir : {"/r", "/r/a", "/r/a/B/C"}) EXPECT_EQ(f.FullListings(dir), 1) << "read to the end";
}

// A directory that cannot be listed, a mount root, a link to a directory,
// a missing top and the empty one.
TEST(DirScan, DirectoriesNotReadKeepZerosAndAreNotCountedAbove) {
  FakeFileSystem f;
  f.AddFile("/t/ok/f", 3);
  f.AddFile("/t/locked/secret", 1000);
  f.AddDirectory("/t/locked/below");
  f.FailListing("/t/locked");
  f.AddFile("/t/proc/kcore", 140737471590400ull);
  f.Entry("/t/proc").flags |= platform::kEntryMountRoot;
  f.AddDirectory("/t/up", platform::kAttrDirectory | platform::kAttrReparsePoint).flags |= platform::kEntryMountRoot;
  f.AddFile("/t/up/x", 5);
  EXPECT_EQ(Scan(f, NativePath("/t")).rows, (std::vector<Row>{{NativePath("/t"), 1, 3, 1, 0, 0},
                                                              {NativePath("/t/ok"), 0, 3, 1, 3, 1},
                                                              {NativePath("/t/locked"), 0, 0, 0, 0, 0},
                                                              {NativePath("/t/proc"), 0, 0, 0, 0, 0},
                                                              {NativePath("/t/up"), 0, 0, 0, 0, 0}}));
  for (const char* never : {"/t/locked/below", "/t/proc", "/t/up"}) EXPECT_EQ(f.FindFirstCalls(never), 0);
  // A top that cannot be listed is one row of zeros; the empty path is the
  // root, with the bare separator before the names below it.
  EXPECT_EQ(Scan(f, NativePath("/missing")).rows, (std::vector<Row>{{NativePath("/missing"), 0, 0, 0, 0, 0}}));
  const std::string t = platform::kPathSeparator + std::string("t");
  const auto root = Scan(f, "").rows;
  EXPECT_EQ(std::vector(root.begin(), root.begin() + 2), (std::vector<Row>{{"", 2, 3, 1, 0, 0}, {t, 1, 3, 1, 0, 0}}));
  EXPECT_EQ(f.FindFirstCalls("/"), 1);
}

TEST(DirScan, OutOfMemoryForARecordLeavesThatDirectoryOutAndGoesOn) {
  FakeFileSystem f;
  f.AddFile("/o/a/x", 1);
  f.AddFile("/o/b/y", 2);
  f.AddFile("/o/b/inner/z", 4);
  f.AddFile("/o/c/w", 8);
  const auto r = Scan(f, NativePath("/o"), 3, [](platform::ScanStep step, std::string_view name) {
    if (step == platform::ScanStep::kRecord && name == "b") throw std::bad_alloc();
  });
  EXPECT_TRUE(r.outOfMemory);
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/o"), 2, 9, 2, 0, 0},
                                      {NativePath("/o/a"), 0, 1, 1, 1, 1},
                                      {NativePath("/o/c"), 0, 8, 1, 8, 1}}));
  EXPECT_EQ(f.FindFirstCalls("/o/b"), 0);
}

TEST(DirScan, FiveThousandLevelsDeep) {
  FakeFileSystem f;
  std::string path = "/deep";
  for (int i = 0; i < 5000; ++i) path += "/d";
  f.AddFile(path + "/leaf", 3);
  const auto rows = Scan(f, NativePath("/deep"), 2).rows;
  ASSERT_EQ(rows.size(), 5001u);
  EXPECT_EQ(rows.front(), (Row{NativePath("/deep"), 5000, 3, 1, 0, 0}));
  EXPECT_EQ(rows.back(), (Row{NativePath(path), 0, 3, 1, 3, 1}));
}

// Random trees with names that differ in case or by '-' against the
// separator, files beyond 4 GiB, and directories that are locked, cut
// short, mount roots or links: every number of walkers gives the rows of
// one, also when walkers join while the walk goes on, and no directory is
// listed twice.
TEST(DirScan, AnyNumberOfWalkersGivesTheRowsOfOne) {
  using Walkers = lists::CDirScan::Walkers;
  const char* stems[] = {"a", "A", "a-z", "b", "B.x", "\xC3\x84", "z_"};
  for (unsigned seed : {1u, 2u, 3u}) {
    FakeFileSystem f;
    std::mt19937 random(seed);
    std::vector<std::string> dirs{"/r"};
    for (int i = 0; i < 400; ++i) {
      const std::string dir = dirs[random() % dirs.size()] + "/" + stems[random() % 7] + std::to_string(i % 5);
      f.AddDirectory(dir);
      dirs.push_back(dir);
      for (unsigned k = random() % 4; k > 0; --k)
        f.AddFile(dir + "/f" + std::to_string(k), random() % 7 == 0 ? (5ull << 30) + k : random() % 5000);
      switch (random() % 16) {
        case 0: f.FailListing(dir); break;
        case 1: f.FailListingAfter(dir, 3); break;
        case 2: f.Entry(dir).flags |= platform::kEntryMountRoot; break;
        case 3: f.Entry(dir).attributes |= platform::kAttrReparsePoint; break;  // entered: no mount root
        default: break;
      }
    }
    const auto one = Scan(f, NativePath("/r"), 1).rows;
    ASSERT_GT(one.size(), 100u);
    // Readers that do not tell their times keep to the walkers they start
    // with; readers that sleep get more, each sampled at every directory.
    const struct { Walkers walkers; bool sleep; unsigned least, most; } runs[] = {
        {2, false, 2, 2}, {8, false, 8, 8}, {{1, 32}, false, 1, 1},
        {{1, 32, std::chrono::microseconds(0)}, true, 2, 32}, {{2, 5, std::chrono::microseconds(0)}, true, 3, 5}};
    for (const auto& run : runs) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << run.walkers.first << " to " << run.walkers.most);
      f.ResetCounts();
      f.ReadersSleep(run.sleep);
      const auto r = Scan(f, NativePath("/r"), run.walkers);
      EXPECT_EQ(r.rows, one);
      EXPECT_GE(r.walkers, run.least);
      EXPECT_LE(r.walkers, run.most);
      for (const Row& row : r.rows) ASSERT_LE(f.FindFirstCalls(row.path), 1) << row.path;
    }
  }
}

// Given up from inside the walk, once some records are made.
TEST(DirScan, GivingUpTheJobEndsTheWalkEarly) {
  FakeFileSystem f;
  for (int a = 0; a < 40; ++a)
    for (int b = 0; b < 40; ++b) f.AddFile("/big/" + std::to_string(a) + "/" + std::to_string(b) + "/f", 1);
  platform::Job job(f);
  std::atomic<int> made{0};
  lists::CDirScan scan(f, job, 4, [&](platform::ScanStep step, std::string_view) {
    if (step == platform::ScanStep::kRecord && ++made == 50) job.GiveUp();
  });
  scan.Run(NativePath("/big"));
  EXPECT_TRUE(scan.Cancelled());
  EXPECT_LT(f.TotalFindFirstCalls(), 200);  // of 1,641 directories
}

}  // namespace
