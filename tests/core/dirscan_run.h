// Runs a directory scan and keeps its rows in visiting order as plain
// values; shared by the scan's tests on the in-memory, the POSIX and the
// Windows file systems.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "lists/DirScan.h"
#include "platform/FileSystem.h"

namespace dirscantest {

struct Row {
  std::string path;
  std::uint32_t subdirs;
  std::uint64_t totalSize;
  std::uint32_t totalFiles;
  std::uint64_t ownSize;
  std::uint32_t ownFiles;
  bool operator==(const Row&) const = default;
  friend void PrintTo(const Row& r, std::ostream* os) {
    *os << r.path << " " << r.subdirs << "/" << r.totalSize << "/" << r.totalFiles << "/" << r.ownSize << "/"
        << r.ownFiles;
  }
};

struct ScanResult {
  std::vector<Row> rows;
  bool outOfMemory = false;
  unsigned walkers = 0;  // started, the calling thread included
};

inline ScanResult Scan(platform::FileSystem& files, const std::string& path, lists::CDirScan::Walkers walkers = 4,
                       platform::ScanHook hook = {}) {
  platform::Job job(files);
  lists::CDirScan scan(files, job, walkers, std::move(hook));
  const auto rows = scan.Run(path);
  ScanResult result{{}, rows->outOfMemory, scan.WalkersStarted()};
  for (const lists::CDirRecord* r : rows->rows) {
    result.rows.push_back(
        {r->DirPath(), r->m_nSubdirs, r->m_nTotalSize, r->m_nTotalFiles, r->m_nOwnSize, r->m_nOwnFiles});
  }
  return result;
}

}  // namespace dirscantest
