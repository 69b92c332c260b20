// Directory enumeration of the Linux file system against a real temporary
// directory: attribute words, sizes, times, exact names, special files.
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

// A fresh temporary directory per test; P("name") is a path in it.
class EnumerationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(::mkdtemp(m_dir.data()), nullptr); }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string P(const std::string& name) const { return m_dir + "/" + name; }
  void Write(const std::string& name, std::size_t bytes) const { std::ofstream(P(name)) << std::string(bytes, 'x'); }
  // Every entry of a directory by name, the dots included.
  static std::map<std::string, FindData> List(const std::string& dir, FindLevel level = FindLevel::kFull) {
    std::map<std::string, FindData> entries;
    FindData data;
    auto handle = platform::posix::PosixFileSystem().FindFirst(platform::SearchPattern(dir), data, level);
    for (bool more = handle != nullptr; more; more = handle->Next(data)) entries[data.name] = data;
    return entries;
  }
  std::string m_dir = (std::filesystem::temp_directory_path() / "kolbrin-enum-XXXXXX").string();
};

TEST_F(EnumerationTest, AttributeWordsOfEachKindOfEntry) {
  EXPECT_EQ(List(m_dir).size(), 2u);  // an empty directory still lists its dots
  Write("plain.txt", 3);
  Write("locked.txt", 1);
  ASSERT_EQ(::chmod(P("locked.txt").c_str(), 0444), 0);
  Write(".hidden", 0);
  ASSERT_EQ(::mkdir(P("sub").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo(P("pipe").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("sub", P("link").c_str()), 0);
  ASSERT_EQ(::symlink("plain.txt", P("filelink").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", P("dangling").c_str()), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(P("sock").size(), sizeof addr.sun_path);
  P("sock").copy(addr.sun_path, P("sock").size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  auto entries = List(m_dir);
  ::close(sock);
  EXPECT_EQ(entries.size(), 11u);
  const std::pair<const char*, std::uint32_t> kinds[] = {
      {"plain.txt", platform::kAttrArchive}, {"locked.txt", platform::kAttrArchive | platform::kAttrReadOnly},
      {".hidden", platform::kAttrArchive | platform::kAttrHidden}, {"pipe", platform::kAttrSystem},
      {"sock", platform::kAttrSystem}};
  for (const auto& [name, attributes] : kinds) EXPECT_EQ(entries[name].attributes, attributes) << name;
  for (const char* dots : {".", ".."}) EXPECT_TRUE(entries[dots].attributes & platform::kAttrDirectory) << dots;
  // Links to a file and dangling links are files of the link's own size
  // (the length of the target text).
  EXPECT_EQ(entries["plain.txt"].size, 3u);
  EXPECT_EQ(entries["filelink"].size, 9u);
  EXPECT_EQ(entries["dangling"].size, 7u);
  // A link to a directory is a directory that is a link, at either level.
  for (const FindLevel level : {FindLevel::kFull, FindLevel::kNamesAndType}) {
    entries = List(m_dir, level);
    EXPECT_EQ(entries["sub"].attributes, platform::kAttrDirectory);
    EXPECT_EQ(entries["link"].attributes, platform::kAttrDirectory | platform::kAttrReparsePoint);
    EXPECT_EQ(entries["link"].flags, platform::kEntryMountRoot);
    EXPECT_EQ(entries["link"].size, 0u);
    for (const char* file : {"plain.txt", "filelink", "dangling"}) {
      EXPECT_EQ(entries[file].attributes, platform::kAttrArchive) << file;
      EXPECT_EQ(entries[file].flags, 0u) << file;
    }
  }
}

TEST_F(EnumerationTest, TimesSizesAndNamesAsTheEntryHasThem) {
  Write("dated", 1);
  const timespec times[2] = {{1000000000, 0}, {1200000000, 500}};  // access, write
  ASSERT_EQ(::utimensat(AT_FDCWD, P("dated").c_str(), times, 0), 0);
  Write("sparse.bin", 0);
  std::filesystem::resize_file(P("sparse.bin"), (5ull << 30) + 7);  // over 4 GiB, no disk space used
  const std::string names[] = {std::string("bad\xff\xfe utf8"), "semi;colon", "tab\there", "new\nline", "..dots"};
  for (const std::string& name : names) Write(name, 1);
  auto entries = List(m_dir);
  constexpr std::uint64_t kEpoch = 116444736000000000ull;
  EXPECT_EQ(entries["dated"].lastAccess.value, kEpoch + 1000000000ull * 10000000ull);
  EXPECT_EQ(entries["dated"].lastWrite.value, kEpoch + 1200000000ull * 10000000ull + 5);
  EXPECT_EQ(entries["sparse.bin"].size, (5ull << 30) + 7);
  for (const std::string& name : names) EXPECT_EQ(entries.count(name), 1u) << name;
  EXPECT_EQ(entries.size(), std::size(names) + 4);
}

TEST_F(EnumerationTest, ManyEntriesSpanSeveralBufferFills) {
  constexpr int kCount = 3000;  // names long enough to need several getdents calls
  for (int i = 0; i < kCount; ++i) std::ofstream(P("entry-with-a-fairly-long-name-number-" + std::to_string(i)));
  EXPECT_EQ(List(m_dir).size(), kCount + 2u);
}

// Pipes, files, missing and dangling paths give no handle and never block;
// a directory reached through a link is listed.
TEST_F(EnumerationTest, WhatCanAndCannotBeListed) {
  ASSERT_EQ(::mkfifo(P("pipe").c_str(), 0644), 0);
  Write("file", 1);
  ASSERT_EQ(::symlink("nowhere", P("dangling").c_str()), 0);
  ASSERT_EQ(::mkdir(P("real").c_str(), 0755), 0);
  Write("real/inside", 1);
  ASSERT_EQ(::symlink("real", P("alias").c_str()), 0);
  for (const char* name : {"pipe", "file", "missing", "dangling"}) EXPECT_TRUE(List(P(name)).empty()) << name;
  EXPECT_TRUE(List("/" + std::string(5000, 'a')).empty());  // longer than PATH_MAX, even for root
  EXPECT_EQ(List(P("alias")).count("inside"), 1u);
  using platform::posix::PosixFileSystem;
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("/*.*"), "/");
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("*.*"), ".");
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("/home/user/*.*"), "/home/user/");
  EXPECT_EQ(PosixFileSystem::DirectoryOfPattern("/home/user"), "/home/user");
}

TEST_F(EnumerationTest, MountPointInsideTheTreeIsFlagged) {
  ASSERT_EQ(::mkdir(P("mnt").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(P("plain").c_str(), 0755), 0);
  if (::mount("kolbrin-test", P("mnt").c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "mounting a tmpfs is not allowed here";
  auto entries = List(m_dir);
  ::umount2(P("mnt").c_str(), MNT_DETACH);
  EXPECT_EQ(entries["mnt"].flags, platform::kEntryMountRoot);
  EXPECT_EQ(entries["plain"].flags, 0u);
}

}  // namespace
