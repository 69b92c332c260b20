// An in-memory platform::FileSystem. Paths are written "/d/x" and stored in
// the system's spelling (NativePath) without a trailing separator; a listing
// gives "." and ".." first, then the children in the order added. Counters
// take directories after NativePath. Drives answer with default figures
// unless set; unknown roots fail. Listings may run on several threads at
// once; like the system's, they name what they touch for their job.
#pragma once

#include <algorithm>
#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathStyle.h"

namespace test_support {

// "/d/x" in the system's spelling; on Windows a path from the root is on C:.
inline std::string NativePath(std::string_view path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', platform::kPathSeparator);
  const bool fromRoot = !p.empty() && p[0] == '\\' && (p.size() == 1 || p[1] != '\\');
  if (platform::kPathSeparator == '\\' && fromRoot) p.insert(0, "C:");
  return p;
}

class FakeFileSystem : public platform::FileSystem {
 public:
  // Adds (or replaces) an entry; missing parents are added too. Adding a
  // root ("/") only makes it listable.
  platform::FindData& AddDirectory(std::string_view path, std::uint32_t attributes = platform::kAttrDirectory) {
    const std::string p = Normal(path);
    m_dirs.try_emplace(p);
    return Parent(p) == p ? m_rootEntry : AddEntry(p, attributes | platform::kAttrDirectory, 0);
  }
  platform::FindData& AddFile(std::string_view path, std::uint64_t size, std::uint32_t attrs = platform::kAttrArchive) {
    return AddEntry(Normal(path), attrs, size);
  }
  // The entry of an added file or directory, to set times or flags.
  platform::FindData& Entry(std::string_view path) {
    platform::FindData* entry = Find(Normal(path));
    return entry ? *entry : AddFile(path, 0);
  }
  void FailListing(std::string_view dir, bool fails = true) { m_dirs[Normal(dir)].failOpen = fails; }
  // Next reports failure once n entries (the dots included) were given.
  void FailListingAfter(std::string_view dir, std::size_t n) { m_dirs[Normal(dir)].failAfter = n; }
  void AddDrive(std::string root, platform::DriveType type) { m_drives[m_roots.emplace_back(root)].type = type; }
  void SetVolumeInfo(const std::string& root, platform::VolumeInfo info) { m_drives[root].volume = info; }
  void SetDiskFreeSpace(const std::string& root, platform::DiskFreeSpace space) { m_drives[root].space = space; }
  void FailVolumeInfo(const std::string& root) { m_drives[root].volume.reset(); }
  void FailDiskFreeSpace(const std::string& root) { m_drives[root].space.reset(); }
  // Every reader's calls sleep and take no processor time, as on a disk
  // that is not cached; by default the times cannot be told.
  void ReadersSleep(bool sleep = true) { m_readersSleep = sleep; }
  bool CallingThreadTimes(platform::ThreadTimes& out) const override {
    if (!m_readersSleep) return false;
    out = {0, m_sleeps += 3};
    return true;
  }
  // Listings started, read to their end, and closed before it (or failed).
  int FindFirstCalls(const std::string& directory) const { return Stat(directory).calls; }
  int FullListings(const std::string& directory) const { return Stat(directory).full; }
  int PartialListings(const std::string& directory) const { return Stat(directory).partial; }
  int TotalFindFirstCalls() const {
    std::lock_guard lock(m_statsMutex);
    int total = 0;
    for (const auto& entry : m_stats) total += entry.second.calls;
    return total;
  }
  void ResetCounts() {
    std::lock_guard lock(m_statsMutex);
    m_stats.clear();
  }
  std::unique_ptr<platform::FindHandle> FindFirst(platform::Job& job, std::string_view directory,
                                                  platform::FindData& first, platform::FindLevel) override {
    const std::string dir = directory.empty() ? NativePath("/") : Normal(directory);
    Counts* counts = nullptr;
    {
      std::lock_guard lock(m_statsMutex);
      counts = &m_stats[dir];  // a node: stays where it is
      ++counts->calls;
    }
    const platform::Touch touch(job, dir);
    auto it = m_dirs.find(dir);
    if (touch.Refused() || it == m_dirs.end() || it->second.failOpen) return nullptr;
    auto handle = std::make_unique<Handle>(it->second, *counts, m_statsMutex);
    return handle->Next(first) ? std::move(handle) : nullptr;
  }
  std::vector<std::string> LogicalDriveStrings() override { return m_roots; }
  std::shared_ptr<const platform::MountProbe> Probe() override { return m_probe; }
  platform::DriveType GetDriveType(std::string_view root) override {
    auto it = m_drives.find(std::string(root));
    return it == m_drives.end() ? platform::kDriveNoRootDir : it->second.type;
  }
  bool GetVolumeInformation(platform::Job& job, std::string_view root, platform::VolumeInfo& out) override {
    const platform::Touch touch(job, root);
    return !touch.Refused() && Answer(root, &Drive::volume, out);
  }
  bool GetDiskFreeSpace(platform::Job& job, std::string_view root, platform::DiskFreeSpace& out) override {
    const platform::Touch touch(job, root);
    return !touch.Refused() && Answer(root, &Drive::space, out);
  }

 private:
  struct Dir {
    std::deque<platform::FindData> entries;  // stable references for callers
    bool failOpen = false;
    std::optional<std::size_t> failAfter;
  };
  struct Drive {
    platform::DriveType type = platform::kDriveFixed;
    std::optional<platform::VolumeInfo> volume = platform::VolumeInfo{};
    std::optional<platform::DiskFreeSpace> space = platform::DiskFreeSpace{};
  };
  struct Counts {
    int calls = 0, full = 0, partial = 0;
  };
  // One file system, the root's, holds every path.
  struct Mounts : platform::MountProbe {
    std::string MountOf(std::string_view) const override { return NativePath("/"); }
  };

  // Gives the dots, then a snapshot of the children; counts how it ended.
  class Handle : public platform::FindHandle {
   public:
    Handle(const Dir& dir, Counts& counts, std::mutex& mutex)
        : m_failAfter(dir.failAfter), m_counts(counts), m_mutex(mutex) {
      for (const char* dots : {".", ".."}) m_entries.emplace_back().name = dots;
      m_entries[0].attributes = m_entries[1].attributes = platform::kAttrDirectory;
      m_entries.insert(m_entries.end(), dir.entries.begin(), dir.entries.end());
    }
    ~Handle() override {
      std::lock_guard lock(m_mutex);
      ++(m_atEnd ? m_counts.full : m_counts.partial);
    }
    bool Next(platform::FindData& out) override {
      if (m_failAfter && m_next >= *m_failAfter) return false;  // an error, not the end
      m_atEnd = m_next >= m_entries.size();
      if (!m_atEnd) out = m_entries[m_next++];
      return !m_atEnd;
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
    return slash == std::string::npos ? "." : p.substr(0, slash == 0 || p[slash - 1] == ':' ? slash + 1 : slash);
  }
  static std::string Name(const std::string& p) { return p.substr(p.find_last_of(platform::kPathSeparator) + 1); }
  platform::FindData* Find(const std::string& p) {
    for (platform::FindData& e : m_dirs[Parent(p)].entries)
      if (e.name == Name(p)) return &e;
    return nullptr;
  }
  platform::FindData& AddEntry(const std::string& p, std::uint32_t attributes, std::uint64_t size) {
    // Missing ancestors from the top down, without recursion: deep trees
    // must fit Windows' 1 MiB stack.
    std::vector<std::string> missing;
    for (std::string up = Parent(p); !m_dirs.contains(up) && Parent(up) != up; up = Parent(up)) missing.push_back(up);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) AddDirectory(*it);
    platform::FindData* entry = Find(p);
    if (!entry) entry = &m_dirs[Parent(p)].entries.emplace_back();
    entry->name = Name(p);
    entry->attributes = attributes;
    entry->size = size;
    return *entry;
  }
  Counts Stat(const std::string& directory) const {
    std::lock_guard lock(m_statsMutex);
    auto it = m_stats.find(Normal(directory));
    return it == m_stats.end() ? Counts{} : it->second;
  }
  template <class T>
  bool Answer(std::string_view root, std::optional<T> Drive::*figures, T& out) {
    auto it = m_drives.find(std::string(root));
    if (it == m_drives.end() || !(it->second.*figures)) return false;
    out = *(it->second.*figures);
    return true;
  }

  std::unordered_map<std::string, Dir> m_dirs;
  platform::FindData m_rootEntry;
  std::vector<std::string> m_roots;
  std::shared_ptr<Mounts> m_probe = std::make_shared<Mounts>();
  std::map<std::string, Drive> m_drives;
  std::unordered_map<std::string, Counts> m_stats;
  mutable std::mutex m_statsMutex;
  bool m_readersSleep = false;
  mutable std::atomic<std::uint64_t> m_sleeps{0};
};

}  // namespace test_support
