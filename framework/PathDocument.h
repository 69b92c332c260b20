// The document the views of this program share: the path selected in the
// drive tree and the file system the views read. The tree writes the path
// and tells the other views through UpdateAllViews.
#pragma once

#include <string>

#include "framework/Document.h"
#include "platform/FileSystem.h"

namespace fw {

class CPathDocument : public CDocument {
 public:
  explicit CPathDocument(platform::FileSystem& fs = platform::FileSystem::Native()) : m_fs(&fs) {}

  platform::FileSystem& FileSystem() const { return *m_fs; }

  // Full path selected in the tree; empty until the first selection. A
  // drive root ends in the separator, every other path has none.
  std::string m_strPath;

 private:
  platform::FileSystem* m_fs;
};

}  // namespace fw
