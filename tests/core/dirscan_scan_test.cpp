// The recursive directory scan on the in-memory file system: rows in
// visiting order, the sums, the directories shown with zeros and not
// counted (not listable, another mount, a link, no memory for the record),
// the same rows from any number of walking threads, and cancelling.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "lists/DirScan.h"
#include "platform/FileSystem.h"
#include "tests/core/dirscan_run.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using dirscantest::Row;
using dirscantest::Scan;
using dirscantest::ScanResult;
using test_support::NativePath;

TEST(DirScan, ExampleTreeGivesThreeRowsInVisitingOrderEachListedOnce) {
  test_support::FakeFileSystem f;
  f.AddFile("/A/ten", 10);
  f.AddFile("/A/twenty", 20);
  f.AddFile("/A/B/five", 5);
  f.AddDirectory("/A/B/C");
  const ScanResult r = Scan(f, NativePath("/A"));
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/A"), 2, 35, 3, 30, 2},
                                      {NativePath("/A/B"), 1, 5, 1, 5, 1},
                                      {NativePath("/A/B/C"), 0, 0, 0, 0, 0}}));
  EXPECT_FALSE(r.outOfMemory);
  EXPECT_EQ(f.TotalFindFirstCalls(), 3);
  for (const char* pattern : {"/A/*.*", "/A/B/*.*", "/A/B/C/*.*"}) EXPECT_EQ(f.FullListings(pattern), 1);
}

TEST(DirScan, ChildrenInListingOrderEachSubtreeBeforeTheNextSibling) {
  test_support::FakeFileSystem f;
  f.AddDirectory("/r/z/deep");
  f.AddFile("/r/file", 1);
  f.AddDirectory("/r/a");
  f.AddFile("/r/...", 7);  // only "." and ".." are skipped, byte for byte
  const ScanResult r = Scan(f, NativePath("/r/"));
  ASSERT_EQ(r.rows.size(), 4u);
  EXPECT_EQ(r.rows[0], (Row{NativePath("/r/"), 3, 8, 2, 8, 2}));  // no doubled separator below
  EXPECT_EQ(r.rows[1].path, NativePath("/r/z"));
  EXPECT_EQ(r.rows[2].path, NativePath("/r/z/deep"));
  EXPECT_EQ(r.rows[3].path, NativePath("/r/a"));
}

// A directory that cannot be listed, a mount root and a link to a
// directory inside the tree.
TEST(DirScan, DirectoriesNotReadKeepZerosAndAreNotCountedAbove) {
  test_support::FakeFileSystem f;
  f.AddFile("/t/ok/f", 3);
  f.AddFile("/t/mid/locked/secret", 1000);
  f.AddDirectory("/t/mid/locked/below");
  f.FailListing("/t/mid/locked");
  f.AddFile("/t/proc/kcore", 140737471590400ull);
  f.Entry("/t/proc").flags |= platform::kEntryMountRoot;
  f.AddDirectory("/t/up", platform::kAttrDirectory | platform::kAttrReparsePoint).flags |=
      platform::kEntryMountRoot;  // a link to a directory
  f.AddFile("/t/up/x", 5);
  const ScanResult r = Scan(f, NativePath("/t"));
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/t"), 2, 3, 1, 0, 0},
                                      {NativePath("/t/ok"), 0, 3, 1, 3, 1},
                                      {NativePath("/t/mid"), 0, 0, 0, 0, 0},
                                      {NativePath("/t/mid/locked"), 0, 0, 0, 0, 0},
                                      {NativePath("/t/proc"), 0, 0, 0, 0, 0},
                                      {NativePath("/t/up"), 0, 0, 0, 0, 0}}));
  EXPECT_EQ(f.FindFirstCalls("/t/mid/locked/below/*.*"), 0);
  EXPECT_EQ(f.FindFirstCalls("/t/proc/*.*"), 0);
  EXPECT_EQ(f.FindFirstCalls("/t/up/*.*"), 0);
  // A top that cannot be listed is one row of zeros.
  EXPECT_EQ(Scan(f, NativePath("/missing")).rows,
            (std::vector<Row>{{NativePath("/missing"), 0, 0, 0, 0, 0}}));
}

TEST(DirScan, ListingErrorEndsThatListingAndKeepsWhatWasCounted) {
  test_support::FakeFileSystem f;
  f.AddFile("/e/one", 1);
  f.AddFile("/e/two", 2);
  f.AddFile("/e/three", 4);
  f.FailListingAfter("/e", 4);  // ".", "..", one, two
  EXPECT_EQ(Scan(f, NativePath("/e")).rows, (std::vector<Row>{{NativePath("/e"), 0, 3, 2, 3, 2}}));
}

TEST(DirScan, EmptyPathScansTheRootWithAnEmptyTopPath) {
  test_support::FakeFileSystem f;
  f.AddDirectory("/");
  f.AddFile("/usr/x", 9);
  f.AddFile("/top", 1);
  // Below the empty top the path starts with the bare separator.
  const std::string usr = platform::kPathSeparator + std::string("usr");
  EXPECT_EQ(Scan(f, "").rows, (std::vector<Row>{{"", 1, 10, 2, 1, 1}, {usr, 0, 9, 1, 9, 1}}));
  EXPECT_EQ(f.FindFirstCalls("/*.*"), 1);
}

TEST(DirScan, OutOfMemoryForARecordLeavesThatDirectoryOutAndGoesOn) {
  test_support::FakeFileSystem f;
  f.AddFile("/o/a/x", 1);
  f.AddFile("/o/b/y", 2);
  f.AddFile("/o/b/inner/z", 4);
  f.AddFile("/o/c/w", 8);
  const ScanResult r = Scan(f, NativePath("/o"), 3, [](std::string_view name) {
    if (name == "b") throw std::bad_alloc();
  });
  EXPECT_TRUE(r.outOfMemory);
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/o"), 2, 9, 2, 0, 0},
                                      {NativePath("/o/a"), 0, 1, 1, 1, 1},
                                      {NativePath("/o/c"), 0, 8, 1, 8, 1}}));
  EXPECT_EQ(f.FindFirstCalls("/o/b/*.*"), 0);
}

TEST(DirScan, FiveThousandLevelsDeep) {
  test_support::FakeFileSystem f;
  std::string path = "/deep";
  for (int i = 0; i < 5000; ++i) path += "/d";
  f.AddFile(path + "/leaf", 3);
  const auto result = lists::CDirScan(f, 2).Run(NativePath("/deep"));
  const auto& rows = result->rows;
  ASSERT_EQ(rows.size(), 5001u);
  EXPECT_EQ(rows.front()->m_nSubdirs, 5000u);
  EXPECT_EQ(rows.front()->m_nTotalSize, 3u);
  EXPECT_EQ(rows.back()->DirPath(), NativePath(path));
  EXPECT_EQ(rows.back()->m_nOwnFiles, 1u);
}

// The scan as written down plainly: recursion, one listing open per level.
bool ReferenceScan(platform::FileSystem& f, const std::string& path, bool enter, std::vector<Row>& rows) {
  const std::size_t index = rows.size();
  rows.push_back({path, 0, 0, 0, 0, 0});
  platform::FindData d;
  auto handle = enter ? f.FindFirst(platform::SearchPattern(path), d, platform::FindLevel::kFull) : nullptr;
  if (!handle) return false;
  Row own{path, 0, 0, 0, 0, 0};
  do {
    if (platform::IsDotOrDotDot(d.name)) continue;
    if ((d.attributes & platform::kAttrDirectory) == 0) {
      own.ownSize += d.size;
      ++own.ownFiles;
      continue;
    }
    const std::size_t child = rows.size();
    const bool elsewhere = (d.flags & platform::kEntryMountRoot) != 0;
    if (!ReferenceScan(f, platform::ChildPath(path, d.name), !elsewhere, rows)) continue;
    own.subdirs += 1 + rows[child].subdirs;
    own.totalSize += rows[child].totalSize;
    own.totalFiles += rows[child].totalFiles;
  } while (handle->Next(d));
  own.totalSize += own.ownSize;
  own.totalFiles += own.ownFiles;
  rows[index] = own;
  return true;
}

// A random tree: names differing only in case or by '-' against the
// separator, files beyond 4 GiB, and directories that are locked, cut
// short, mount roots or links.
void RandomTree(test_support::FakeFileSystem& f, unsigned seed, int directories) {
  std::mt19937 random(seed);
  const char* stems[] = {"a", "A", "a-z", "b", "B.x", "\xC3\x84", "z_"};
  std::vector<std::string> dirs{"/r"};
  f.AddDirectory("/r");
  for (int i = 0; i < directories; ++i) {
    const std::string& parent = dirs[random() % dirs.size()];
    const std::string dir = parent + "/" + stems[random() % std::size(stems)] + std::to_string(i % 5);
    f.AddDirectory(dir);
    dirs.push_back(dir);
    for (unsigned k = random() % 4; k > 0; --k) {
      f.AddFile(dir + "/f" + std::to_string(k), random() % 7 == 0 ? (5ull << 30) + k : random() % 5000);
    }
    switch (random() % 16) {
      case 0: f.FailListing(dir); break;
      case 1: f.FailListingAfter(dir, 3); break;
      case 2: f.Entry(dir).flags |= platform::kEntryMountRoot; break;
      case 3: f.Entry(dir).attributes |= platform::kAttrReparsePoint; break;  // entered: no mount root
      default: break;
    }
  }
}

TEST(DirScan, AnyNumberOfWalkersGivesTheRowsOfThePlainRecursion) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    test_support::FakeFileSystem f;
    RandomTree(f, seed, 400);
    std::vector<Row> expected;
    ReferenceScan(f, NativePath("/r"), true, expected);
    for (unsigned threads : {1u, 2u, 8u}) {
      f.ResetCounts();
      const ScanResult r = Scan(f, NativePath("/r"), threads);
      EXPECT_EQ(r.rows, expected) << "seed " << seed << ", " << threads << " threads";
      int most = 0;
      for (const Row& row : r.rows) most = std::max(most, f.FindFirstCalls(platform::SearchPattern(row.path)));
      EXPECT_EQ(most, 1) << "each directory is listed once at most";
    }
  }
}

// Cancels the scan from inside the walk, once a given listing starts.
class CancellingFiles : public test_support::FakeFileSystem {
 public:
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, platform::FindData& first,
                                                  platform::FindLevel level) override {
    if (++listings == 50 && scan != nullptr) scan->Cancel();
    return FakeFileSystem::FindFirst(pattern, first, level);
  }
  lists::CDirScan* scan = nullptr;
  std::atomic<int> listings{0};
};

TEST(DirScan, CancelEndsTheWalkEarly) {
  CancellingFiles f;
  for (int a = 0; a < 40; ++a) {
    for (int b = 0; b < 40; ++b) f.AddFile("/big/" + std::to_string(a) + "/" + std::to_string(b) + "/f", 1);
  }
  lists::CDirScan scan(f, 4);
  f.scan = &scan;
  scan.Run(NativePath("/big"));
  EXPECT_TRUE(scan.Cancelled());
  EXPECT_LT(f.listings.load(), 200);  // of 1,641 directories
}

}  // namespace
