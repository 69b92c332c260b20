// The record behind one row of the directory list: a directory's path and
// the figures the scan summed for it.
#pragma once

#include <cstdint>
#include <string>

namespace lists {

struct CDirRecord {
  std::string m_strDirPath;          // full path, exactly as the scan built it
  std::uint64_t m_nTotalSize = 0;    // bytes of the directory and everything beneath it
  std::uint32_t m_nTotalFiles = 0;   // files of the directory and everything beneath it
  std::uint64_t m_nOwnSize = 0;      // bytes of the files directly in the directory
  std::uint32_t m_nOwnFiles = 0;     // files directly in the directory
  std::uint32_t m_nSubdirs = 0;      // directories beneath it that could be listed, at any depth
};

}  // namespace lists
