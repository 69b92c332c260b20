// The recursive directory scan on real POSIX directories: sparse, hidden
// and special entries (a FIFO, links), another file system mounted inside,
// deep trees, too-long paths.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/core/dirscan_run.h"

namespace {

namespace fs = std::filesystem;
using dirscantest::Row;

class DirScanDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(m_root);
    fs::create_directories(m_root);
  }
  void TearDown() override { fs::remove_all(m_root); }
  static void Write(const fs::path& p, std::size_t bytes) { std::ofstream(p) << std::string(bytes, 'x'); }
  // The rows sorted by path: a real directory lists in its own order.
  std::vector<Row> SortedRows(const std::string& path) const {
    auto rows = dirscantest::Scan(platform::FileSystem::Native(), path).rows;
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.path < b.path; });
    return rows;
  }
  std::string P(const char* name) const { return (m_root / name).string(); }
  const fs::path m_root = fs::temp_directory_path() / ("kolbrin-dirscan-" + std::to_string(::getpid()));
};

TEST_F(DirScanDisk, SparseHiddenAndSpecialEntries) {
  Write(m_root / ".hidden", 7);
  fs::create_directory(m_root / ".cache");
  Write(m_root / ".cache" / "c", 11);
  std::ofstream(m_root / "sparse").close();
  fs::resize_file(m_root / "sparse", (5ull << 30) + 1);  // a hole: no disk space used
  ASSERT_EQ(::mkfifo(P("fifo").c_str(), 0644), 0);
  fs::create_directory_symlink(".", m_root / "loop");  // a directory not gone into
  fs::create_symlink(".hidden", m_root / "tofile");    // files of their own length
  fs::create_symlink("nowhere", m_root / "dangling");
  const std::uint64_t own = 7 + (5ull << 30) + 1 + 7 + 7;
  EXPECT_EQ(SortedRows(m_root.string()), (std::vector<Row>{{m_root.string(), 1, own + 11, 6, own, 5},
                                                           {P(".cache"), 0, 11, 1, 11, 1},
                                                           {P("loop"), 0, 0, 0, 0, 0}}));
}

// Another file system mounted inside the tree is not gone into (mounting
// needs the rights CI has).
TEST_F(DirScanDisk, MountedFileSystemInsideIsARowOfZeros) {
  fs::create_directories(m_root / "mnt");
  Write(m_root / "mnt" / "hidden-below", 5);
  if (::mount("kolbrin-test", P("mnt").c_str(), "tmpfs", 0, nullptr) != 0) GTEST_SKIP() << "no right to mount here";
  Write(m_root / "mnt" / "on-tmpfs", 9);
  Write(m_root / "top", 2);
  const auto rows = SortedRows(m_root.string());
  ::umount2(P("mnt").c_str(), MNT_DETACH);
  EXPECT_EQ(rows, (std::vector<Row>{{m_root.string(), 0, 2, 1, 2, 1}, {P("mnt"), 0, 0, 0, 0, 0}}));
}

TEST_F(DirScanDisk, DeepTreesAndPathsLongerThanTheSystemAllows) {
  fs::path p = m_root;
  for (int i = 0; i < 300; ++i) p /= "d";
  fs::create_directories(p);
  Write(p / "f", 2);
  const auto rows = dirscantest::Scan(platform::FileSystem::Native(), m_root.string()).rows;
  ASSERT_EQ(rows.size(), 301u);
  EXPECT_EQ(rows.front(), (Row{m_root.string(), 300, 2, 1, 0, 0}));
  EXPECT_EQ(rows.back(), (Row{p.string(), 0, 2, 1, 2, 1}));
  const std::string tooLong = P(std::string(300, 'n').c_str());
  EXPECT_EQ(SortedRows(tooLong), (std::vector<Row>{{tooLong, 0, 0, 0, 0, 0}}));
}

}  // namespace
