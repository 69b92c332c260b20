// The recursive directory scan: rows in visiting order, the sums, and the
// directories that are shown with zeros and not counted (not listable,
// another mount, no memory for the record).
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "lists/DirScan.h"
#include "platform/FileSystem.h"
#include "tests/support/FakeFileSystem.h"

namespace {

namespace fs = std::filesystem;
using lists::CDirRecord;

struct Row {
  std::string path;
  std::uint32_t subdirs;
  std::uint64_t totalSize;
  std::uint32_t totalFiles;
  std::uint64_t ownSize;
  std::uint32_t ownFiles;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
  *os << r.path << " " << r.subdirs << "/" << r.totalSize << "/" << r.totalFiles << "/" << r.ownSize
      << "/" << r.ownFiles;
}

// Runs a scan and gives the rows as inserted, with every message shown.
struct ScanResult {
  std::vector<Row> rows;
  std::vector<std::string> entered;
  std::vector<std::string> messages;
};

ScanResult Scan(platform::FileSystem& files, const std::string& path,
                std::function<void()> beforeAllocate = {}) {
  ScanResult result;
  std::vector<std::unique_ptr<CDirRecord>> records;
  auto previous = fw::SetMessageBoxPresenter([&](const fw::MessageBoxRequest& r) {
    result.messages.push_back(r.text);
    return fw::IDRESULT_OK;
  });
  lists::DirScanCallbacks callbacks;
  callbacks.insertRow = [&](std::unique_ptr<CDirRecord> r) { records.push_back(std::move(r)); };
  callbacks.enterDirectory = [&](const std::string& p) { result.entered.push_back(p); };
  callbacks.beforeAllocate = std::move(beforeAllocate);
  lists::CDirScan(files, std::move(callbacks)).Run(path);
  fw::SetMessageBoxPresenter(std::move(previous));
  for (const auto& r : records) {
    result.rows.push_back({r->m_strDirPath, r->m_nSubdirs, r->m_nTotalSize, r->m_nTotalFiles,
                           r->m_nOwnSize, r->m_nOwnFiles});
  }
  return result;
}

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
  const ScanResult r = Scan(f, "/A");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"/A", 2, 35, 3, 30, 2},
                                      {"/A/B", 1, 5, 1, 5, 1},
                                      {"/A/B/C", 0, 0, 0, 0, 0}}));
  EXPECT_EQ(r.entered, (std::vector<std::string>{"/A", "/A/B", "/A/B/C"}));
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
  const ScanResult r = Scan(f, "/r/");
  ASSERT_EQ(r.rows.size(), 4u);
  EXPECT_EQ(r.rows[0], (Row{"/r/", 3, 8, 2, 8, 2}));  // no doubled separator below
  EXPECT_EQ(r.rows[1].path, "/r/z");
  EXPECT_EQ(r.rows[2].path, "/r/z/deep");
  EXPECT_EQ(r.rows[3].path, "/r/a");
}

TEST(DirScan, UnlistableDirectoryKeepsZerosAndIsNotCountedAbove) {
  test_support::FakeFileSystem f;
  f.AddFile("/t/ok/f", 3);
  f.AddFile("/t/mid/locked/secret", 1000);
  f.AddDirectory("/t/mid/locked/below");
  f.FailListing("/t/mid/locked");
  const ScanResult r = Scan(f, "/t");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"/t", 2, 3, 1, 0, 0},
                                      {"/t/ok", 0, 3, 1, 3, 1},
                                      {"/t/mid", 0, 0, 0, 0, 0},
                                      {"/t/mid/locked", 0, 0, 0, 0, 0}}));
  EXPECT_EQ(f.FindFirstCalls("/t/mid/locked/below/*.*"), 0);
}

TEST(DirScan, ListingErrorEndsThatListingAndKeepsWhatWasCounted) {
  test_support::FakeFileSystem f;
  f.AddFile("/e/one", 1);
  f.AddFile("/e/two", 2);
  f.AddFile("/e/three", 4);
  f.FailListingAfter("/e", 4);  // ".", "..", one, two
  const ScanResult r = Scan(f, "/e");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"/e", 0, 3, 2, 3, 2}}));
}

TEST(DirScan, TopThatCannotBeListedIsOneRowOfZeros) {
  test_support::FakeFileSystem f;
  const ScanResult r = Scan(f, "/missing");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"/missing", 0, 0, 0, 0, 0}}));
}

TEST(DirScan, MountRootInsideTheTreeIsNotEntered) {
  test_support::FakeFileSystem f;
  f.AddFile("/m/own", 1);
  f.AddFile("/m/proc/kcore", 140737471590400ull);
  f.AddDirectory("/m/proc/sys");
  f.Entry("/m/proc").flags |= platform::kEntryMountRoot;
  const ScanResult r = Scan(f, "/m");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"/m", 0, 1, 1, 1, 1}, {"/m/proc", 0, 0, 0, 0, 0}}));
  EXPECT_EQ(f.FindFirstCalls("/m/proc/*.*"), 0);
}

TEST(DirScan, EmptyPathScansTheRootWithAnEmptyTopPath) {
  test_support::FakeFileSystem f;
  f.AddDrive("/", platform::kDriveFixed);
  f.AddDirectory("/");
  f.AddFile("/usr/x", 9);
  f.AddFile("/top", 1);
  const ScanResult r = Scan(f, "");
  EXPECT_EQ(r.rows, (std::vector<Row>{{"", 1, 10, 2, 1, 1}, {"/usr", 0, 9, 1, 9, 1}}));
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
  const ScanResult r = Scan(f, "/o", [&made] {
    if (++made == 3) throw std::bad_alloc();
  });
  EXPECT_EQ(r.messages, std::vector<std::string>{"nicht genug Speicher"});
  EXPECT_EQ(r.rows, (std::vector<Row>{{"/o", 2, 9, 2, 0, 0},
                                      {"/o/a", 0, 1, 1, 1, 1},
                                      {"/o/c", 0, 8, 1, 8, 1}}));
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
    if (rec->m_strDirPath == "/i/a") throw std::bad_alloc();
    rows.push_back(std::move(rec));
  };
  const CDirRecord* top = lists::CDirScan(f, std::move(callbacks)).Run("/i");
  fw::SetMessageBoxPresenter(std::move(previous));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(top, rows[0].get());
  EXPECT_EQ(top->m_nSubdirs, 1u);
  EXPECT_EQ(top->m_nTotalSize, 2u);
  EXPECT_EQ(messages.size(), 1u);
}

// Counts the listings open at the same time.
class OpenCounter : public platform::FileSystem {
 public:
  explicit OpenCounter(platform::FileSystem& inner) : m_inner(inner) {}
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, platform::FindData& first,
                                                  platform::FindLevel level) override {
    auto h = m_inner.FindFirst(pattern, first, level);
    if (!h) return nullptr;
    return std::make_unique<Counted>(std::move(h), *this);
  }
  std::vector<std::string> LogicalDriveStrings() override { return {}; }
  platform::DriveType GetDriveType(std::string_view) override { return platform::kDriveUnknown; }
  bool GetVolumeInformation(std::string_view, platform::VolumeInfo&) override { return false; }
  bool GetDiskFreeSpace(std::string_view, platform::DiskFreeSpace&) override { return false; }
  int maxOpen = 0;

 private:
  struct Counted : platform::FindHandle {
    Counted(std::unique_ptr<platform::FindHandle> h, OpenCounter& c) : inner(std::move(h)), owner(c) {
      owner.maxOpen = std::max(owner.maxOpen, ++owner.m_open);
    }
    ~Counted() override { --owner.m_open; }
    bool Next(platform::FindData& out) override { return inner->Next(out); }
    std::unique_ptr<platform::FindHandle> inner;
    OpenCounter& owner;
  };
  platform::FileSystem& m_inner;
  int m_open = 0;
};

TEST(DirScan, VeryDeepTreeScansWithOneListingOpenAtATime) {
  test_support::FakeFileSystem f;
  std::string path = "/deep";
  for (int i = 0; i < 5000; ++i) path += "/d";
  f.AddFile(path + "/leaf", 3);
  OpenCounter counter(f);
  const ScanResult r = Scan(counter, "/deep");
  ASSERT_EQ(r.rows.size(), 5001u);
  EXPECT_EQ(r.rows.front(), (Row{"/deep", 5000, 3, 1, 0, 0}));
  EXPECT_EQ(r.rows.back(), (Row{path, 0, 3, 1, 3, 1}));
  EXPECT_EQ(counter.maxOpen, 1);
}

// Real directories in a temporary place.
class DirScanDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("kolbrin-dirscan-" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    fs::create_directories(m_root);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
  }
  static void Write(const fs::path& p, std::size_t bytes) { std::ofstream(p) << std::string(bytes, 'x'); }
  fs::path m_root;
};

TEST_F(DirScanDisk, SparseHiddenAndSpecialEntries) {
  Write(m_root / ".hidden", 7);
  fs::create_directory(m_root / ".cache");
  Write(m_root / ".cache" / "c", 11);
  std::ofstream(m_root / "sparse").close();
  fs::resize_file(m_root / "sparse", (5ull << 30) + 1);  // a hole: no disk space used
  ASSERT_EQ(::mkfifo((m_root / "fifo").c_str(), 0644), 0);
  fs::create_directory_symlink(".", m_root / "loop");  // not followed
  const std::uint64_t linkSize = 1;                      // the link's own text "."
  const ScanResult r = Scan(platform::FileSystem::Native(), m_root.string());
  ASSERT_EQ(r.rows.size(), 2u);
  const std::uint64_t own = 7 + (5ull << 30) + 1 + linkSize;
  EXPECT_EQ(r.rows[0], (Row{m_root.string(), 1, own + 11, 5, own, 4}));
  EXPECT_EQ(r.rows[1], (Row{(m_root / ".cache").string(), 0, 11, 1, 11, 1}));
}

TEST_F(DirScanDisk, ThreeHundredLevelsDeep) {
  fs::path p = m_root;
  for (int i = 0; i < 300; ++i) p /= "d";
  fs::create_directories(p);
  Write(p / "f", 2);
  const ScanResult r = Scan(platform::FileSystem::Native(), m_root.string());
  ASSERT_EQ(r.rows.size(), 301u);
  EXPECT_EQ(r.rows.front(), (Row{m_root.string(), 300, 2, 1, 0, 0}));
  EXPECT_EQ(r.rows.back(), (Row{p.string(), 0, 2, 1, 2, 1}));
}

TEST_F(DirScanDisk, PathLongerThanTheSystemAllowsIsARowOfZeros) {
  const std::string tooLong = (m_root / std::string(300, 'n')).string();
  const ScanResult r = Scan(platform::FileSystem::Native(), tooLong);
  EXPECT_EQ(r.rows, (std::vector<Row>{{tooLong, 0, 0, 0, 0, 0}}));
}

}  // namespace
