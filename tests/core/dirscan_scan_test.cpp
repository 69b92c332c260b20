// The recursive directory scan on the in-memory file system: rows in
// visiting order, the sums, and the directories shown with zeros and not
// counted (not listable, another mount, no memory for the record).
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "lists/DirScan.h"
#include "platform/FileSystem.h"
#include "tests/core/dirscan_run.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using dirscantest::Row;
using dirscantest::Scan;
using dirscantest::ScanResult;
using lists::CDirRecord;
using test_support::NativePath;

test_support::FakeFileSystem ExampleTree() {
  test_support::FakeFileSystem f;
  f.AddFile("/A/ten", 10);
  f.AddFile("/A/twenty", 20);
  f.AddFile("/A/B/five", 5);
  f.AddDirectory("/A/B/C");
  return f;
}

TEST(DirScan, ExampleTreeGivesThreeRowsInVisitingOrder) {
  auto f = ExampleTree();
  const ScanResult r = Scan(f, NativePath("/A"));
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/A"), 2, 35, 3, 30, 2},
                                      {NativePath("/A/B"), 1, 5, 1, 5, 1},
                                      {NativePath("/A/B/C"), 0, 0, 0, 0, 0}}));
  EXPECT_EQ(r.entered,
            (std::vector<std::string>{NativePath("/A"), NativePath("/A/B"), NativePath("/A/B/C")}));
  EXPECT_TRUE(r.messages.empty());
  // Every directory is listed once, to its end.
  EXPECT_EQ(f.TotalFindFirstCalls(), 3);
  EXPECT_EQ(f.FullListings("/A/*.*"), 1);
  EXPECT_EQ(f.FullListings("/A/B/C/*.*"), 1);
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

// A directory that cannot be listed and a mount root inside the tree.
TEST(DirScan, DirectoriesNotReadKeepZerosAndAreNotCountedAbove) {
  test_support::FakeFileSystem f;
  f.AddFile("/t/ok/f", 3);
  f.AddFile("/t/mid/locked/secret", 1000);
  f.AddDirectory("/t/mid/locked/below");
  f.FailListing("/t/mid/locked");
  f.AddFile("/t/proc/kcore", 140737471590400ull);
  f.AddDirectory("/t/proc/sys");
  f.Entry("/t/proc").flags |= platform::kEntryMountRoot;
  const ScanResult r = Scan(f, NativePath("/t"));
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/t"), 2, 3, 1, 0, 0},
                                      {NativePath("/t/ok"), 0, 3, 1, 3, 1},
                                      {NativePath("/t/mid"), 0, 0, 0, 0, 0},
                                      {NativePath("/t/mid/locked"), 0, 0, 0, 0, 0},
                                      {NativePath("/t/proc"), 0, 0, 0, 0, 0}}));
  EXPECT_EQ(f.FindFirstCalls("/t/mid/locked/below/*.*"), 0);
  EXPECT_EQ(f.FindFirstCalls("/t/proc/*.*"), 0);
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
  f.AddDrive("/", platform::kDriveFixed);
  f.AddDirectory("/");
  f.AddFile("/usr/x", 9);
  f.AddFile("/top", 1);
  const ScanResult r = Scan(f, "");
  // Below the empty top the path starts with the bare separator.
  const std::string usr = platform::kPathSeparator + std::string("usr");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"", 1, 10, 2, 1, 1}, {usr, 0, 9, 1, 9, 1}}));
  EXPECT_EQ(f.FindFirstCalls("/*.*"), 1);
}

TEST(DirScan, OutOfMemoryForARecordTellsTheUserAndGoesOn) {
  test_support::FakeFileSystem f;
  f.AddFile("/o/a/x", 1);
  f.AddFile("/o/b/y", 2);
  f.AddFile("/o/b/inner/z", 4);
  f.AddFile("/o/c/w", 8);
  int made = 0;
  // The third record (for /o/b) cannot be made.
  const ScanResult r = Scan(f, NativePath("/o"), [&made] {
    if (++made == 3) throw std::bad_alloc();
  });
  EXPECT_EQ(r.messages, std::vector<std::string>{"nicht genug Speicher"});
  EXPECT_EQ(r.rows, (std::vector<Row>{{NativePath("/o"), 2, 9, 2, 0, 0},
                                      {NativePath("/o/a"), 0, 1, 1, 1, 1},
                                      {NativePath("/o/c"), 0, 8, 1, 8, 1}}));
  EXPECT_EQ(f.FindFirstCalls("/o/b/*.*"), 0);
}

TEST(DirScan, RowInsertThatFailsCountsAsNoRecord) {
  test_support::FakeFileSystem f;
  f.AddFile("/i/a/x", 1);
  f.AddFile("/i/b/y", 2);
  std::vector<std::unique_ptr<CDirRecord>> rows;
  std::vector<std::string> messages;
  auto previous = fw::SetMessageBoxPresenter([&](const fw::MessageBoxRequest& m) {
    messages.push_back(m.text);
    return fw::IDRESULT_OK;
  });
  lists::DirScanCallbacks callbacks;
  callbacks.insertRow = [&](std::unique_ptr<CDirRecord> rec) {
    if (rec->m_strDirPath == NativePath("/i/a")) throw std::bad_alloc();
    rows.push_back(std::move(rec));
  };
  const CDirRecord* top = lists::CDirScan(f, std::move(callbacks)).Run(NativePath("/i"));
  fw::SetMessageBoxPresenter(std::move(previous));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(top, rows[0].get());
  EXPECT_EQ(top->m_nSubdirs, 1u);
  EXPECT_EQ(top->m_nTotalSize, 2u);
  EXPECT_EQ(messages.size(), 1u);
}

// Counts the listings open at the same time.
class OpenCounter : public test_support::FakeFileSystem {
 public:
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, platform::FindData& first,
                                                  platform::FindLevel level) override {
    auto h = FakeFileSystem::FindFirst(pattern, first, level);
    if (!h) return nullptr;
    return std::make_unique<Counted>(std::move(h), *this);
  }
  int open = 0;
  int maxOpen = 0;

 private:
  struct Counted : platform::FindHandle {
    Counted(std::unique_ptr<platform::FindHandle> h, OpenCounter& c) : inner(std::move(h)), owner(c) {
      owner.maxOpen = std::max(owner.maxOpen, ++owner.open);
    }
    ~Counted() override { --owner.open; }
    bool Next(platform::FindData& out) override { return inner->Next(out); }
    std::unique_ptr<platform::FindHandle> inner;
    OpenCounter& owner;
  };
};

TEST(DirScan, VeryDeepTreeScansWithOneListingOpenAtATime) {
  OpenCounter f;
  std::string path = "/deep";
  for (int i = 0; i < 5000; ++i) path += "/d";
  f.AddFile(path + "/leaf", 3);
  const ScanResult r = Scan(f, NativePath("/deep"));
  ASSERT_EQ(r.rows.size(), 5001u);
  EXPECT_EQ(r.rows.front(), (Row{NativePath("/deep"), 5000, 3, 1, 0, 0}));
  EXPECT_EQ(r.rows.back(), (Row{NativePath(path), 0, 3, 1, 3, 1}));
  EXPECT_EQ(f.maxOpen, 1);
}

}  // namespace
