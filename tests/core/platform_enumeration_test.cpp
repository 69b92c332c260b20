// Directory enumeration of the Linux file system against a real temporary
// directory: attribute words, sizes, exact names, special files.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/PathStyle.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

using platform::FindData;
using platform::FindLevel;

void WriteFile(const std::string& path, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary);
  ASSERT_TRUE(out << std::string(bytes, 'x')) << path;
}

// Every entry of a directory by name, the dots included.
std::map<std::string, FindData> ListAll(const std::string& dir, FindLevel level) {
  std::map<std::string, FindData> entries;
  platform::posix::PosixFileSystem fs;
  FindData data;
  auto handle = fs.FindFirst(platform::SearchPattern(dir), data, level);
  if (!handle) return entries;
  do entries[data.name] = data;
  while (handle->Next(data));
  return entries;
}

// A fresh temporary directory per test; m_dir / "name" is a path in it.
class EnumerationTest : public ::testing::Test {
 protected:
  struct Dir {
    std::string path;
    std::string operator/(const std::string& name) const { return path + "/" + name; }
  };
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "kolbrin-enum-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_dir.path = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    if (!m_dir.path.empty()) std::filesystem::remove_all(m_dir.path, ignored);
  }
  Dir m_dir;
};

TEST_F(EnumerationTest, AttributeWordsOfEachKindOfEntry) {
  WriteFile(m_dir / "plain.txt", 3);
  WriteFile(m_dir / "locked.txt", 1);
  ASSERT_EQ(::chmod((m_dir / "locked.txt").c_str(), 0444), 0);
  WriteFile(m_dir / ".hidden", 0);
  ASSERT_EQ(::mkdir((m_dir / "sub").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("sub", (m_dir / "link").c_str()), 0);
  ASSERT_EQ(::symlink("plain.txt", (m_dir / "filelink").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", (m_dir / "dangling").c_str()), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string sockPath = m_dir / "sock";
  ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
  sockPath.copy(addr.sun_path, sockPath.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

  auto entries = ListAll(m_dir.path, FindLevel::kFull);
  ::close(sock);
  EXPECT_EQ(entries["plain.txt"].attributes, platform::kAttrArchive);
  EXPECT_EQ(entries["plain.txt"].size, 3u);
  EXPECT_EQ(entries["locked.txt"].attributes, platform::kAttrArchive | platform::kAttrReadOnly);
  EXPECT_EQ(entries[".hidden"].attributes, platform::kAttrArchive | platform::kAttrHidden);
  EXPECT_EQ(entries["sub"].attributes, platform::kAttrDirectory);
  EXPECT_EQ(entries["pipe"].attributes, platform::kAttrSystem);
  EXPECT_EQ(entries["sock"].attributes, platform::kAttrSystem);
  EXPECT_EQ(entries["."].attributes & platform::kAttrDirectory, platform::kAttrDirectory);
  EXPECT_EQ(entries[".."].attributes & platform::kAttrDirectory, platform::kAttrDirectory);
  EXPECT_EQ(entries.size(), 11u);

  // A link to a directory is a directory that is a link, at either level;
  // links to a file and dangling links are files of the link's own size
  // (the length of the target text).
  for (const FindLevel level : {FindLevel::kFull, FindLevel::kNamesAndType}) {
    entries = ListAll(m_dir.path, level);
    EXPECT_EQ(entries["sub"].attributes, platform::kAttrDirectory);
    EXPECT_EQ(entries["link"].attributes, platform::kAttrDirectory | platform::kAttrReparsePoint);
    EXPECT_EQ(entries["link"].flags, platform::kEntryMountRoot);
    EXPECT_EQ(entries["link"].size, 0u);
    for (const char* file : {"plain.txt", "filelink", "dangling"}) {
      EXPECT_EQ(entries[file].attributes, platform::kAttrArchive) << file;
      EXPECT_EQ(entries[file].flags, 0u) << file;
    }
  }
  entries = ListAll(m_dir.path, FindLevel::kFull);
  EXPECT_EQ(entries["filelink"].size, 9u);
  EXPECT_EQ(entries["dangling"].size, 7u);
}

TEST_F(EnumerationTest, TimesAreFileTimesOfTheEntry) {
  WriteFile(m_dir / "dated", 1);
  const timespec times[2] = {{1000000000, 0}, {1200000000, 500}};  // access, write
  ASSERT_EQ(::utimensat(AT_FDCWD, (m_dir / "dated").c_str(), times, 0), 0);
  auto entries = ListAll(m_dir.path, FindLevel::kFull);
  constexpr std::uint64_t kEpoch = 116444736000000000ull;
  EXPECT_EQ(entries["dated"].lastAccess.value, kEpoch + 1000000000ull * 10000000ull);
  EXPECT_EQ(entries["dated"].lastWrite.value, kEpoch + 1200000000ull * 10000000ull + 5);
}

TEST_F(EnumerationTest, SparseFileOverFourGibibytesKeepsItsFullSize) {
  constexpr std::uintmax_t kSize = (std::uintmax_t{5} << 30) + 7;
  WriteFile(m_dir / "sparse.bin", 0);
  std::filesystem::resize_file(m_dir / "sparse.bin", kSize);
  EXPECT_EQ(ListAll(m_dir.path, FindLevel::kFull)["sparse.bin"].size, kSize);
}

TEST_F(EnumerationTest, OddNamesComeBackByteForByte) {
  const std::string names[] = {std::string("bad\xff\xfe utf8"), "semi;colon", "tab\there",
                               "new\nline", "amp&sand", "..dots"};
  for (const std::string& name : names) WriteFile(m_dir / name, 1);
  auto entries = ListAll(m_dir.path, FindLevel::kFull);
  for (const std::string& name : names) EXPECT_EQ(entries.count(name), 1u) << name;
  EXPECT_EQ(entries.size(), std::size(names) + 2);
}

TEST_F(EnumerationTest, ManyEntriesSpanSeveralBufferFills) {
  constexpr int kCount = 3000;  // names long enough to need several getdents calls
  for (int i = 0; i < kCount; ++i)
    WriteFile(m_dir / ("entry-with-a-fairly-long-name-number-" + std::to_string(i)), 0);
  EXPECT_EQ(ListAll(m_dir.path, FindLevel::kFull).size(), kCount + 2u);
}

TEST_F(EnumerationTest, EmptyDirectoryStillListsItsDots) {
  auto entries = ListAll(m_dir.path, FindLevel::kFull);
  EXPECT_EQ(entries.size(), 2u);
}

TEST_F(EnumerationTest, UnlistablePathsGiveNoHandleAndNeverBlock) {
  ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0644), 0);
  WriteFile(m_dir / "file", 1);
  ASSERT_EQ(::symlink("nowhere", (m_dir / "dangling").c_str()), 0);
  platform::posix::PosixFileSystem fs;
  FindData data;
  for (const char* name : {"pipe", "file", "missing", "dangling"})
    EXPECT_EQ(fs.FindFirst(platform::SearchPattern(m_dir / name), data, FindLevel::kFull), nullptr)
        << name;
  // A path longer than PATH_MAX fails even for root.
  EXPECT_EQ(fs.FindFirst(platform::SearchPattern("/" + std::string(5000, 'a')), data, FindLevel::kFull),
            nullptr);
}

TEST_F(EnumerationTest, DirectoryReachedThroughASymlinkIsListed) {
  ASSERT_EQ(::mkdir((m_dir / "real").c_str(), 0755), 0);
  WriteFile(m_dir / "real/inside", 1);
  ASSERT_EQ(::symlink("real", (m_dir / "alias").c_str()), 0);
  EXPECT_EQ(ListAll(m_dir / "alias", FindLevel::kFull).count("inside"), 1u);
}

TEST(PatternTest, DirectoryOfPattern) {
  using platform::posix::PosixFileSystem;
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("/*.*"), "/");
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("*.*"), ".");
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("/home/user/*.*"), "/home/user/");
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("/home/user"), "/home/user");
}

TEST_F(EnumerationTest, MountPointInsideTheTreeIsFlagged) {
  const std::string point = m_dir / "mnt";
  ASSERT_EQ(::mkdir(point.c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((m_dir / "plain").c_str(), 0755), 0);
  if (::mount("kolbrin-test", point.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a tmpfs is not allowed here";
  auto entries = ListAll(m_dir.path, FindLevel::kFull);
  ::umount2(point.c_str(), MNT_DETACH);
  EXPECT_EQ(entries["mnt"].flags, platform::kEntryMountRoot);
  EXPECT_EQ(entries["plain"].flags, 0u);
}

}  // namespace
