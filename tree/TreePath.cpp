#include "tree/TreePath.h"

#include "platform/PathStyle.h"

namespace tree {

std::optional<TreePath> SplitTreePath(std::string_view path, const std::vector<std::string>& roots) {
  // Roots end in a separator; so does the path here, so that a mount
  // point given without one still finds its own drive.
  std::string full(path);
  if (full.empty() || full.back() != platform::kPathSeparator) full += platform::kPathSeparator;
  std::optional<TreePath> best;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < roots.size(); ++i) {
    const std::string& root = roots[i];
    if (root.empty() || !full.starts_with(root) || (best && root.size() <= bestLength)) continue;
    best = TreePath{i, {}};
    bestLength = root.size();
  }
  if (!best) return best;
  std::string_view rest = std::string_view(full).substr(bestLength);
  while (!rest.empty()) {
    const std::size_t end = rest.find(platform::kPathSeparator);
    if (end != 0) best->names.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end + 1);  // every rest ends in a separator
  }
  return best;
}

}  // namespace tree
