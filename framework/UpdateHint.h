// What a document's update tells its views: either nothing new, so a view
// only repaints, or that the document's path has changed, which a view
// rebuilds its contents from (the document holds the path, the hint only
// says that it is new).
#pragma once

namespace fw {

class UpdateHint {
 public:
  // Nothing new: repaint only.
  UpdateHint() = default;
  // The document's path is new.
  static UpdateHint NewPath() { return UpdateHint(true); }

  bool IsRepaintOnly() const { return !m_bNewPath; }

 private:
  explicit UpdateHint(bool newPath) : m_bNewPath(newPath) {}
  bool m_bNewPath = false;
};

}  // namespace fw
