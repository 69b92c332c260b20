// An in-memory platform::FileSystem for tests.
//
//   test_support::FakeFileSystem fs;
//   fs.AddDrive("/", platform::kDriveFixed);        // drive roots, in order
//   fs.AddDirectory("/data/empty");                 // parents are made too
//   fs.AddFile("/data/a.txt", 10);                  // size, then optional
//   fs.AddFile("/data/big.bin", 5ull << 30, platform::kAttrArchive | platform::kAttrReadOnly);
//   fs.Entry("/data/a.txt").lastWrite = {132000000000000000};
//   fs.FailListing("/data/locked");                 // FindFirst gives null
//   fs.FailListingAfter("/data", 2);                // Next fails after 2 entries
//   fs.SetVolumeInfo("/", info);  fs.FailVolumeInfo("/media/cd/");
//   ...code under test...
//   EXPECT_EQ(fs.FindFirstCalls("/data/*.*"), 1);
//   EXPECT_EQ(fs.FullListings("/data/*.*"), 1);     // read to the end
//   EXPECT_EQ(fs.PartialListings("/data/*.*"), 0);  // closed early
//
// Paths may be written the POSIX way: '/' becomes the system's separator
// and, on Windows, a path from the root ("/x", "\x") is on drive C:, so
// "/d/x" is stored as "C:\d\x" there (NativePath spells it). Paths are
// stored without a trailing separator (roots keep theirs). A listing gives
// "." and ".." first (directory bit set, as the real systems do) and then the
// children in the order they were added. Patterns are "<dir><sep>*.*" as
// platform::SearchPattern builds them; the call counters compare them after
// NativePath, so "/d/*.*" counts the code's "/d\*.*" on Windows while a
// doubled separator still counts apart. Drive roots (AddDrive and the
// drive queries) are taken byte for byte. Handles must not outlive the fake.
// Drives without SetVolumeInfo / SetDiskFreeSpace answer with
// default-constructed figures; unknown roots fail. Listings may run on
// several threads at once (the directory scan's walkers); building the
// tree must be done before.
#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathStyle.h"

namespace test_support {

// A path written with '/' in the system's spelling: unchanged on POSIX;
// on Windows "/" becomes "C:\" and "/d/x" becomes "C:\d\x".
inline std::string NativePath(std::string_view path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', platform::kPathSeparator);
  if constexpr (platform::kPathSeparator == '\\') {
    // The root of the current drive; "\\server" names stay as they are.
    if (!p.empty() && p[0] == '\\' && (p.size() == 1 || p[1] != '\\')) p.insert(0, "C:");
  }
  return p;
}

// The root of the system's file tree: "/" on POSIX, "C:\" on Windows.
inline std::string SystemRoot() { return NativePath("/"); }

class FakeFileSystem : public platform::FileSystem {
 public:
  // Adds (or replaces) a directory entry; missing parents are added too.
  // Adding a root ("/") only makes it listable.
  platform::FindData& AddDirectory(std::string_view path,
                                   std::uint32_t attributes = platform::kAttrDirectory) {
    const std::string p = Normal(path);
    m_dirs.try_emplace(p);
    if (Parent(p) == p) return m_rootEntry;
    return AddEntry(p, attributes | platform::kAttrDirectory, 0);
  }

  // Adds (or replaces) a file entry; missing parent directories are added.
  platform::FindData& AddFile(std::string_view path, std::uint64_t size,
                              std::uint32_t attributes = platform::kAttrArchive) {
    return AddEntry(path, attributes, size);
  }

  // The entry of an added file or directory, to set times or flags (a file
  // of size 0 is added when there is none). References stay valid.
  platform::FindData& Entry(std::string_view path) {
    const std::string p = Normal(path);
    Dir& parent = m_dirs[Parent(p)];
    for (platform::FindData& e : parent.entries)
      if (e.name == Name(p)) return e;
    return AddFile(p, 0);
  }

  void FailListing(std::string_view dir) { m_dirs[Normal(dir)].failOpen = true; }
  // Next reports failure once n entries (the dots included) were given.
  void FailListingAfter(std::string_view dir, std::size_t n) { m_dirs[Normal(dir)].failAfter = n; }

  void AddDrive(std::string root, platform::DriveType type) {
    m_roots.push_back(root);
    m_drives[root].type = type;
  }
  void SetVolumeInfo(const std::string& root, platform::VolumeInfo info) { m_drives[root].volume = info; }
  void SetDiskFreeSpace(const std::string& root, platform::DiskFreeSpace space) {
    m_drives[root].space = space;
  }
  void FailVolumeInfo(const std::string& root) { m_drives[root].volumeFails = true; }
  // A mount point: MountOf gives the longest one that holds a path.
  void AddMount(std::string_view point) { m_mounts.push_back(Normal(point)); }
  void FailDiskFreeSpace(const std::string& root) { m_drives[root].spaceFails = true; }

  int FindFirstCalls(const std::string& pattern) const { return Stat(pattern).calls; }
  int FullListings(const std::string& pattern) const { return Stat(pattern).full; }
  int PartialListings(const std::string& pattern) const { return Stat(pattern).partial; }
  int TotalFindFirstCalls() const {
    std::lock_guard lock(m_statsMutex);
    int total = 0;
    for (const auto& [pattern, stats] : m_stats) total += stats.calls;
    return total;
  }
  void ResetCounts() {
    std::lock_guard lock(m_statsMutex);
    m_stats.clear();
  }

  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, platform::FindData& first,
                                                  platform::FindLevel) override {
    Counts* counts = nullptr;
    {
      std::lock_guard lock(m_statsMutex);
      counts = &m_stats[NativePath(pattern)];  // std::map: stays where it is
      ++counts->calls;
    }
    auto it = m_dirs.find(DirOfPattern(pattern));
    if (it == m_dirs.end() || it->second.failOpen) return nullptr;
    auto handle = std::make_unique<Handle>(it->second, *counts, m_statsMutex);
    if (!handle->Next(first)) return nullptr;
    return handle;
  }

  std::vector<std::string> LogicalDriveStrings() override { return m_roots; }

  std::string MountOf(std::string_view path) override {
    std::string best = SystemRoot();
    for (const std::string& m : m_mounts) {
      const bool holds = path.starts_with(m) && (path.size() == m.size() || path[m.size()] == platform::kPathSeparator);
      if (holds && m.size() > best.size()) best = m;
    }
    return best;
  }

  platform::DriveType GetDriveType(std::string_view root) override {
    auto it = m_drives.find(std::string(root));
    return it == m_drives.end() ? platform::kDriveNoRootDir : it->second.type;
  }

  bool GetVolumeInformation(std::string_view root, platform::VolumeInfo& out) override {
    auto it = m_drives.find(std::string(root));
    if (it == m_drives.end() || it->second.volumeFails) return false;
    out = it->second.volume;
    return true;
  }

  bool GetDiskFreeSpace(std::string_view root, platform::DiskFreeSpace& out) override {
    auto it = m_drives.find(std::string(root));
    if (it == m_drives.end() || it->second.spaceFails) return false;
    out = it->second.space;
    return true;
  }

 private:
  struct Dir {
    std::deque<platform::FindData> entries;  // stable references for callers
    bool failOpen = false;
    std::optional<std::size_t> failAfter;
  };
  struct Drive {
    platform::DriveType type = platform::kDriveFixed;
    platform::VolumeInfo volume;
    platform::DiskFreeSpace space;
    bool volumeFails = false;
    bool spaceFails = false;
  };
  struct Counts {
    int calls = 0;
    int full = 0;
    int partial = 0;
  };

  // Gives the dots, then a snapshot of the children; counts how it ended.
  class Handle : public platform::FindHandle {
   public:
    Handle(const Dir& dir, Counts& counts, std::mutex& mutex)
        : m_failAfter(dir.failAfter), m_counts(counts), m_mutex(mutex) {
      platform::FindData dot;
      dot.attributes = platform::kAttrDirectory;
      dot.name = ".";
      m_entries.push_back(dot);
      dot.name = "..";
      m_entries.push_back(dot);
      m_entries.insert(m_entries.end(), dir.entries.begin(), dir.entries.end());
    }
    ~Handle() override {
      std::lock_guard lock(m_mutex);
      ++(m_atEnd ? m_counts.full : m_counts.partial);
    }
    bool Next(platform::FindData& out) override {
      if (m_failAfter && m_next >= *m_failAfter) return false;  // an error, not the end
      if (m_next >= m_entries.size()) {
        m_atEnd = true;
        return false;
      }
      out = m_entries[m_next++];
      return true;
    }

   private:
    std::vector<platform::FindData> m_entries;
    std::optional<std::size_t> m_failAfter;
    Counts& m_counts;
    std::mutex& m_mutex;
    std::size_t m_next = 0;
    bool m_atEnd = false;
  };

  static std::string Normal(std::string_view path) {
    std::string p = NativePath(path);
    while (p.size() > 1 && p.back() == platform::kPathSeparator && p[p.size() - 2] != ':') p.pop_back();
    return p;
  }
  static std::string Parent(const std::string& p) {
    const std::size_t slash = p.find_last_of(platform::kPathSeparator);
    if (slash == std::string::npos) return ".";
    return slash == 0 || p[slash - 1] == ':' ? p.substr(0, slash + 1) : p.substr(0, slash);
  }
  static std::string Name(const std::string& p) {
    const std::size_t slash = p.find_last_of(platform::kPathSeparator);
    return slash == std::string::npos ? p : p.substr(slash + 1);
  }
  static std::string DirOfPattern(std::string_view pattern) {
    if (pattern.ends_with("*.*")) pattern.remove_suffix(3);
    return pattern.empty() ? std::string(".") : Normal(pattern);
  }

  platform::FindData& AddEntry(std::string_view path, std::uint32_t attributes, std::uint64_t size) {
    const std::string p = Normal(path);
    const std::string parent = Parent(p);
    // Missing ancestors from the top down, without recursion: deep trees
    // must fit Windows' 1 MiB stack.
    std::vector<std::string> missing;
    for (std::string up = parent; m_dirs.find(up) == m_dirs.end() && Parent(up) != up; up = Parent(up))
      missing.push_back(up);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) AddDirectory(*it);
    std::deque<platform::FindData>& entries = m_dirs[parent].entries;
    platform::FindData* entry = nullptr;
    for (platform::FindData& e : entries)
      if (e.name == Name(p)) entry = &e;
    if (!entry) entry = &entries.emplace_back();
    entry->name = Name(p);
    entry->attributes = attributes;
    entry->size = size;
    return *entry;
  }

  Counts Stat(const std::string& pattern) const {
    std::lock_guard lock(m_statsMutex);
    auto it = m_stats.find(NativePath(pattern));
    return it == m_stats.end() ? Counts{} : it->second;
  }

  std::map<std::string, Dir> m_dirs;
  platform::FindData m_rootEntry;
  std::vector<std::string> m_roots;
  std::vector<std::string> m_mounts;
  std::map<std::string, Drive> m_drives;
  std::map<std::string, Counts> m_stats;
  mutable std::mutex m_statsMutex;
};

}  // namespace test_support
