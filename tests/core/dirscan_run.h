// Runs a directory scan and keeps what it gave: the rows as inserted, the
// directories entered and the messages shown. Shared by the scan's tests on
// the in-memory file system and on the real disk.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
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
};

inline void PrintTo(const Row& r, std::ostream* os) {
  *os << r.path << " " << r.subdirs << "/" << r.totalSize << "/" << r.totalFiles << "/" << r.ownSize
      << "/" << r.ownFiles;
}

// Runs a scan and gives the rows as inserted, with every message shown.
struct ScanResult {
  std::vector<Row> rows;
  std::vector<std::string> entered;
  std::vector<std::string> messages;
};

inline ScanResult Scan(platform::FileSystem& files, const std::string& path,
                       std::function<void()> beforeAllocate = {}) {
  ScanResult result;
  std::vector<std::unique_ptr<lists::CDirRecord>> records;
  auto previous = fw::SetMessageBoxPresenter([&](const fw::MessageBoxRequest& r) {
    result.messages.push_back(r.text);
    return fw::IDRESULT_OK;
  });
  lists::DirScanCallbacks callbacks;
  callbacks.insertRow = [&](std::unique_ptr<lists::CDirRecord> r) { records.push_back(std::move(r)); };
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

}  // namespace dirscantest
