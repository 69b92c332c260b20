// The recursive directory scan on real POSIX directories: sparse, hidden
// and special entries (a FIFO, links to a file and to the directory itself),
// deep trees, too-long paths.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FileSystem.h"
#include "tests/core/dirscan_run.h"

namespace {

namespace fs = std::filesystem;
using dirscantest::Row;
using dirscantest::Scan;
using dirscantest::ScanResult;

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
  // A link to its own parent: a row of zeros, neither entered nor counted.
  fs::create_directory_symlink(".", m_root / "loop");
  fs::create_symlink("sparse", m_root / "filelink");  // a file of its own size
  ScanResult r = Scan(platform::FileSystem::Native(), m_root.string());
  std::sort(r.rows.begin(), r.rows.end(), [](const Row& a, const Row& b) { return a.path < b.path; });
  const std::uint64_t own = 7 + (5ull << 30) + 1 + 6;
  EXPECT_EQ(r.rows, (std::vector<Row>{{m_root.string(), 1, own + 11, 5, own, 4},
                                      {(m_root / ".cache").string(), 0, 11, 1, 11, 1},
                                      {(m_root / "loop").string(), 0, 0, 0, 0, 0}}));
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
