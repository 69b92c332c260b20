// What a document's update tells its views: either nothing new, so a view
// only repaints, or the path that is now current, which a view rebuilds its
// contents from. The hint holds its own copy of the path, so a view may keep
// using it while the document's path changes.
#pragma once

#include <string>
#include <utility>

namespace fw {

class UpdateHint {
 public:
  // Nothing new: repaint only.
  UpdateHint() = default;
  // path is now current.
  explicit UpdateHint(std::string path) : m_bNewPath(true), m_strPath(std::move(path)) {}

  bool IsRepaintOnly() const { return !m_bNewPath; }
  // The new current path; empty for a repaint-only hint.
  const std::string& Path() const { return m_strPath; }

 private:
  bool m_bNewPath = false;
  std::string m_strPath;
};

}  // namespace fw
