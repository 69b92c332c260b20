// One row of the file list: what the directory listing said about a file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace lists {

struct CFileRecord {
  std::string m_strName;  // exact bytes of the name, no path
  std::uint32_t m_nSizeLow = 0;
  std::uint32_t m_nSizeHigh = 0;
  platform::FileTime m_ftLastWrite;
  std::uint32_t m_dwAttributes = 0;
  platform::FileTime m_ftCreation;
  platform::FileTime m_ftLastAccess;

  std::uint64_t Size() const { return (std::uint64_t{m_nSizeHigh} << 32) | m_nSizeLow; }

  void Assign(const platform::FindData& entry) {
    m_strName.assign(entry.name);
    m_nSizeLow = static_cast<std::uint32_t>(entry.size);
    m_nSizeHigh = static_cast<std::uint32_t>(entry.size >> 32);
    m_ftLastWrite = entry.lastWrite;
    m_dwAttributes = entry.attributes;
    m_ftCreation = entry.creation;
    m_ftLastAccess = entry.lastAccess;
  }
};

}  // namespace lists
