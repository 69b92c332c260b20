// The POSIX file system against real temporary directories: listings, special
// files, mounts inside the tree and the scan over them; times and lock keys.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <new>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/PathStyle.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixKeyboard.h"
#include "platform/posix/UnixTime.h"
#include "tests/core/dirscan_run.h"

namespace {

using platform::FindData;
using platform::FindLevel;
using dirscantest::Row;

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
    platform::posix::PosixFileSystem fs;
    platform::Job job(fs);
    auto handle = fs.FindFirst(job, dir, data, level);
    for (bool more = handle != nullptr; more; more = handle->Next(data)) entries[data.name] = data;
    return entries;
  }
  // The scan's rows sorted by path: a real directory lists in its own order.
  static std::vector<Row> Scan(const std::string& path) {
    auto rows = dirscantest::Scan(platform::FileSystem::Native(), path).rows;
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.path < b.path; });
    return rows;
  }
  std::string m_dir = (std::filesystem::temp_directory_path() / "kolbrin-enum-XXXXXX").string();
};

TEST_F(EnumerationTest, AttributeWordsOfEachKindOfEntryAndTheirScan) {
  EXPECT_EQ(List(m_dir).size(), 2u);  // an empty directory still lists its dots
  Write("plain.txt", 3);
  Write("locked.txt", 1);
  ASSERT_EQ(::chmod(P("locked.txt").c_str(), 0444), 0);
  Write(".hidden", 0);
  ASSERT_EQ(::mkdir(P(".sub").c_str(), 0755), 0);  // hidden, and scanned all the same
  Write(".sub/c", 11);
  ASSERT_EQ(::mkfifo(P("pipe").c_str(), 0644), 0);
  ASSERT_EQ(::symlink(".sub", P("link").c_str()), 0);
  ASSERT_EQ(::symlink("plain.txt", P("filelink").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", P("dangling").c_str()), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(P("sock").size(), sizeof addr.sun_path);
  P("sock").copy(addr.sun_path, P("sock").size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  auto entries = List(m_dir);
  const auto rows = Scan(m_dir);
  ::close(sock);
  EXPECT_EQ(entries.size(), 11u);
  const std::pair<const char*, std::uint32_t> kinds[] = {
      {"plain.txt", platform::kAttrArchive}, {"locked.txt", platform::kAttrArchive | platform::kAttrReadOnly},
      {".hidden", platform::kAttrArchive | platform::kAttrHidden}, {"pipe", platform::kAttrSystem},
      {"sock", platform::kAttrSystem}};
  for (const auto& [name, attributes] : kinds) EXPECT_EQ(entries[name].attributes, attributes) << name;
  // The dots are not looked at: ".." of a mount root lies on another mount.
  for (const char* dots : {".", ".."}) {
    EXPECT_EQ(entries[dots].attributes, platform::kAttrDirectory | platform::kAttrHidden) << dots;
    EXPECT_EQ(entries[dots].lastWrite.value + entries[dots].size, 0u) << dots;
  }
  // Links to a file and dangling links are files of the link's own size
  // (the length of the target text).
  for (const auto& [name, size] : {std::pair{"plain.txt", 3u}, {"filelink", 9u}, {"dangling", 7u}})
    EXPECT_EQ(entries[name].size, size) << name;
  // A link to a directory is a directory that is a link, at either level,
  // and the scan does not go into it.
  for (const FindLevel level : {FindLevel::kFull, FindLevel::kNamesAndType}) {
    entries = List(m_dir, level);
    EXPECT_EQ(entries[".sub"].attributes, platform::kAttrDirectory | platform::kAttrHidden);
    EXPECT_EQ(std::tuple(entries["link"].attributes, entries["link"].flags, entries["link"].size),
              std::tuple(platform::kAttrDirectory | platform::kAttrReparsePoint, platform::kEntryMountRoot, 0u));
    for (const char* file : {"plain.txt", "filelink", "dangling"}) {
      EXPECT_EQ(entries[file].attributes, platform::kAttrArchive) << file;
      EXPECT_EQ(entries[file].flags, 0u) << file;
    }
  }
  const std::uint64_t own = 3 + 1 + 0 + 0 + 0 + 9 + 7;  // the pipe and the socket count with their length 0
  EXPECT_EQ(rows, (std::vector<Row>{{m_dir, 1, own + 11, 8, own, 7}, {P(".sub"), 0, 11, 1, 11, 1},
                                    {P("link"), 0, 0, 0, 0, 0}}));
}

TEST_F(EnumerationTest, TimesSizesAndNamesAsTheEntryHasThemAndTheTimesLimits) {
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
  EXPECT_EQ(Scan(m_dir), (std::vector<Row>{{m_dir, 0, (5ull << 30) + 13, 7, (5ull << 30) + 13, 7}}));
  // The conversion's limits, fractions and times before 1970.
  using platform::posix::FileTimeFromUnix;
  EXPECT_EQ(FileTimeFromUnix(0, 999).value, kEpoch + 9);
  EXPECT_EQ(FileTimeFromUnix(-11644473601, 0).value, 0u);  // before 1601
  EXPECT_EQ(FileTimeFromUnix(INT64_MAX, 0).value, UINT64_MAX);
  platform::SetTimeZoneForTesting("Europe/Berlin");
  platform::LocalTime t, old;
  platform::FileTime withFraction = FileTimeFromUnix(1610712000, 0);
  withFraction.value += 9999999;  // 0.9999999 s more stays in the same second
  const bool converted = platform::FileTimeToLocal(withFraction, t) && platform::FileTimeToLocal({1}, old);
  platform::SetTimeZoneForTesting(nullptr);
  ASSERT_TRUE(converted);
  EXPECT_EQ(t.second, 0);
  EXPECT_EQ(old.year, 1601);
}

TEST_F(EnumerationTest, ManyEntriesSpanSeveralBufferFillsDeepTreesAreScanned) {
  constexpr int kCount = 3000;  // names long enough to need several getdents calls
  for (int i = 0; i < kCount; ++i) std::ofstream(P("entry-with-a-fairly-long-name-number-" + std::to_string(i)));
  EXPECT_EQ(List(m_dir).size(), kCount + 2u);
  std::string deep = "d";
  for (int i = 1; i < 300; ++i) deep += "/d";
  std::filesystem::create_directories(P(deep));
  Write(deep + "/f", 2);
  // Deeper than the descriptors the process may have: the scan keeps within
  // them without raising the limit, which programs it starts would inherit.
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
  rlimit low = before;
  low.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
  const auto rows = dirscantest::Scan(platform::FileSystem::Native(), P("d")).rows;
  rlimit after{};
  ::getrlimit(RLIMIT_NOFILE, &after);
  ::setrlimit(RLIMIT_NOFILE, &before);
  EXPECT_EQ(after.rlim_cur, 64u);
  ASSERT_EQ(rows.size(), 300u);
  EXPECT_EQ(rows.front(), (Row{P("d"), 299, 2, 1, 0, 0}));
  EXPECT_EQ(rows.back(), (Row{P(deep), 0, 2, 1, 2, 1}));
}

// A long listing shares its statx calls among threads: every number of
// them gives the entries of one, with every field and in the listing's
// order, also when entries vanish between the names and their statx (they
// are left out); a job given up ends the listing.
TEST_F(EnumerationTest, AnyNumberOfListingThreadsGivesTheEntriesOfOne) {
  constexpr int kFiles = 3000;  // a few buffers of names
  for (int i = 0; i < kFiles; ++i) Write("file-" + std::to_string(i), static_cast<std::size_t>(i % 37));
  for (const char* dir : {"sub", "other"}) ASSERT_EQ(::mkdir(P(dir).c_str(), 0755), 0);
  ASSERT_EQ(::symlink("sub", P("dirlink").c_str()), 0);
  ASSERT_EQ(::symlink("file-1", P("filelink").c_str()), 0);
  using Entry = std::tuple<std::string, std::uint32_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint32_t>;
  const auto list = [this](unsigned threads, const std::function<void(platform::Job&)>& afterNames) {
    platform::posix::PosixFileSystem fs;
    platform::Job job(fs);
    fs.SetListingOptions({threads, [&] { afterNames(job); }});
    std::vector<Entry> entries;
    FindData d;
    auto handle = fs.FindFirst(job, m_dir, d, FindLevel::kFiles);
    for (bool more = handle != nullptr; more; more = handle->Next(d))
      entries.emplace_back(d.name, d.attributes, d.size, d.lastWrite.value, d.lastAccess.value, d.flags);
    return entries;
  };
  const auto nothing = [](platform::Job&) {};
  for (const unsigned threads : {1u, 2u, 8u}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    list(1, nothing);  // following the link once sets its access time
    const auto one = list(1, nothing);  // anew: files removed in a round before are written again
    ASSERT_EQ(one.size(), kFiles + 6u);
    EXPECT_EQ(list(threads, nothing), one);
    std::vector<Entry> kept;  // without every seventh file, removed once the first names are read
    std::copy_if(one.begin(), one.end(), std::back_inserter(kept), [](const Entry& e) {
      const std::string& name = std::get<0>(e);
      return !name.starts_with("file-") || std::stoi(name.substr(5)) % 7 != 0;
    });
    bool removed = false;
    EXPECT_EQ(list(threads, [&](platform::Job&) {
                if (std::exchange(removed, true)) return;
                for (int i = 0; i < kFiles; i += 7) std::filesystem::remove(P("file-" + std::to_string(i)));
              }),
              kept);
    for (int i = 0; i < kFiles; i += 7) Write("file-" + std::to_string(i), static_cast<std::size_t>(i % 37));
    int buffers = 0;
    EXPECT_LT(list(threads, [&](platform::Job& job) { if (++buffers == 2) job.GiveUp(); }).size(), one.size());
  }
}

// Memory running out anywhere in the walk: the scan ends with what it has
// and every descriptor is closed (a walker not joined would end the test
// process).
TEST_F(EnumerationTest, OutOfMemoryAnywhereInTheWalkLeavesNoDescriptorBehind) {
  for (const char* dir : {"t/a/x", "t/a/y", "t/b/z", "t/c"}) std::filesystem::create_directories(P(dir));
  Write("t/a/x/f", 3);
  const auto entries = [](const char* dir) {
    const auto it = std::filesystem::directory_iterator(dir);
    return std::distance(begin(it), end(it));
  };
  const auto all = Scan(P("t"));
  ASSERT_EQ(all.size(), 7u);
  using Step = platform::ScanStep;
  for (const Step step : {Step::kRecord, Step::kOpen, Step::kOpened, Step::kPush, Step::kWalker}) {
    for (const int nth : {1, 3}) {
      SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(step) << ", call " << nth);
      const auto descriptors = entries("/proc/self/fd");
      std::atomic<int> calls{0};
      auto r = dirscantest::Scan(platform::FileSystem::Native(), P("t"), 4, [&](Step s, std::string_view) {
        if (s == step && ++calls == nth) throw std::bad_alloc();
      });
      std::sort(r.rows.begin(), r.rows.end(), [](const Row& a, const Row& b) { return a.path < b.path; });
      // Fewer walkers give the same rows; anything else leaves some out.
      const bool ranOut = step != Step::kWalker && calls >= nth;
      EXPECT_EQ(std::pair(r.outOfMemory, r.rows != all), std::pair(ranOut, ranOut));
      EXPECT_EQ(entries("/proc/self/fd"), descriptors);
    }
  }
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
  const std::string tooLong = "/" + std::string(5000, 'a');  // longer than PATH_MAX, even for root
  EXPECT_TRUE(List(tooLong).empty());
  EXPECT_EQ(Scan(tooLong), (std::vector<Row>{{tooLong, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(List(P("alias")).count("inside"), 1u);
  EXPECT_EQ(List("").count("proc"), 1u);  // the empty path is the root
}

// Another file system mounted inside the tree is flagged and not gone into
// (mounting needs the rights CI has).
TEST_F(EnumerationTest, MountPointInsideTheTreeIsFlaggedAndARowOfZeros) {
  ASSERT_EQ(::mkdir(P("mnt").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(P("plain").c_str(), 0755), 0);
  Write("mnt/hidden-below", 5);
  if (::mount("kolbrin-test", P("mnt").c_str(), "tmpfs", 0, nullptr) != 0) GTEST_SKIP() << "no right to mount here";
  Write("mnt/on-tmpfs", 9);
  Write("top", 2);
  auto entries = List(m_dir);
  const auto rows = Scan(m_dir);
  ::umount2(P("mnt").c_str(), MNT_DETACH);
  EXPECT_EQ(entries["mnt"].flags, platform::kEntryMountRoot);
  EXPECT_EQ(entries["plain"].flags, 0u);
  EXPECT_EQ(rows, (std::vector<Row>{{m_dir, 1, 2, 1, 2, 1}, {P("mnt"), 0, 0, 0, 0, 0}, {P("plain"), 0, 0, 0, 0, 0}}));
}

TEST_F(EnumerationTest, LockKeysAreReadFromTheKeyboardLeds) {
  const platform::LockKeys none = platform::posix::ReadLockKeys(P("leds"));
  EXPECT_FALSE(none.caps || none.num || none.scroll);
  for (const auto& [name, value] : {std::pair{"input3::capslock", "1\n"}, {"input3::numlock", "0\n"}, {"led", "1\n"},
                                     {"input7::numlock", "0\n"}, {"input3::scrolllock", "255\n"}}) {
    std::filesystem::create_directories(P("leds/") + name);
    std::ofstream(P("leds/") + name + "/brightness") << value;
  }
  const platform::LockKeys keys = platform::posix::ReadLockKeys(P("leds"));
  EXPECT_EQ(std::tuple(keys.caps, keys.num, keys.scroll), std::tuple(true, false, true));
}

}  // namespace
