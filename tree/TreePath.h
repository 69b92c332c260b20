// The way through the drive tree to a directory: the drive whose root holds
// the path and the names of the directories below that root.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tree {

struct TreePath {
  std::size_t drive = 0;           // index into the drive roots
  std::vector<std::string> names;  // one per level below the root, exact bytes
};

// The drive with the longest root that holds path ("/home/" rather than "/"
// for /home/user; "/" for /homework). Null when no root holds it.
std::optional<TreePath> SplitTreePath(std::string_view path, const std::vector<std::string>& roots);

}  // namespace tree
