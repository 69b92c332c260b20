// The record behind one row of the directory list: a directory's name, a
// link to its parent's record and the figures the scan summed for it. The
// full path is built from the chain of names when it is asked for, so a
// row holds no copy of its parents' names.
#pragma once

#include <cstdint>
#include <string>

namespace lists {

struct CDirRecord {
  // The directory this one was found in; null for the scanned directory.
  CDirRecord* m_pParent = nullptr;
  // The name as listed; the scanned directory holds its whole path.
  const char* m_pszName = "";
  // The scan's own links: the first subdirectory and the next sibling, in
  // listing order.
  CDirRecord* m_pFirstChild = nullptr;
  CDirRecord* m_pNextSibling = nullptr;
  std::uint64_t m_nTotalSize = 0;   // bytes of the directory and everything beneath it
  std::uint64_t m_nOwnSize = 0;     // bytes of the files directly in the directory
  std::uint32_t m_nTotalFiles = 0;  // files of the directory and everything beneath it
  std::uint32_t m_nOwnFiles = 0;    // files directly in the directory
  std::uint32_t m_nSubdirs = 0;     // directories beneath it that could be listed, at any depth
  bool m_bListed = false;           // it was listed, so its parent counts it

  // The full path: the parent's path, a separator unless that path ends in
  // one, and the name.
  std::string DirPath() const;
};

}  // namespace lists
