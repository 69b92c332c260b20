// The document the views of this program share: the path selected in the
// drive tree and the file system the views read. The path has one road:
// SetPath stores it and tells the other views, which read it back from
// here.
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
  const std::string& Path() const { return m_strPath; }

  // Makes path current and tells every view but sender, in view order.
  void SetPath(CView* sender, std::string path) {
    m_strPath = std::move(path);
    UpdateAllViews(sender, UpdateHint::NewPath());
  }

 private:
  platform::FileSystem* m_fs;
  std::string m_strPath;
};

}  // namespace fw
