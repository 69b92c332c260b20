#include "platform/posix/MountTable.h"

#include <algorithm>

#include "platform/posix/DriveClassifier.h"
#include "platform/posix/MountInfoParser.h"

namespace platform::posix {

MountTable::MountTable(MountTableSource& source)
    : m_source(source), m_entries(MountInfoParser::Parse(source.ReadMountInfo())) {}

std::string_view MountTable::TrimRoot(std::string_view root) {
  while (root.size() > 1 && root.back() == '/') root.remove_suffix(1);
  return root;
}

const MountEntry* MountTable::Find(std::string_view root) const {
  const std::string_view point = TrimRoot(root);
  // Later lines were mounted later: the last one is on top.
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
    if (it->mountPoint == point) return &*it;
  return nullptr;
}

const MountEntry* MountTable::Containing(std::string_view path) const {
  const MountEntry* best = nullptr;
  for (const MountEntry& entry : m_entries) {
    const std::string& point = entry.mountPoint;
    const bool inside = path.substr(0, point.size()) == point &&
                        (point == "/" || path.size() == point.size() || path[point.size()] == '/');
    if (inside && (!best || point.size() >= best->mountPoint.size())) best = &entry;
  }
  return best;
}

std::vector<std::string> MountTable::MountPoints() const {
  std::vector<std::string> points;
  points.reserve(m_entries.size());
  for (const MountEntry& entry : m_entries) points.push_back(entry.mountPoint);
  return points;
}

std::vector<const MountEntry*> MountTable::TopMounts() const {
  std::vector<const MountEntry*> top;
  for (const MountEntry& entry : m_entries)
    if (Find(entry.mountPoint) == &entry) top.push_back(&entry);
  return top;
}

bool MountTable::IsRedundantBind(const MountEntry& mount,
                                 const std::vector<const MountEntry*>& kept) const {
  if (mount.root == "/" || mount.mountPoint == "/") return false;
  const bool wholeDeviceListed = std::any_of(kept.begin(), kept.end(), [&](const MountEntry* other) {
    return other->root == "/" && other->major == mount.major && other->minor == mount.minor;
  });
  if (wholeDeviceListed) return true;
  // Files bound over files (container /etc/hosts and the like) are no drives.
  return !DriveClassifier::IsNetworkType(mount.fsType) && !m_source.IsDirectory(mount.mountPoint);
}

std::vector<std::string> MountTable::DriveRoots() const {
  std::vector<const MountEntry*> kept;
  for (const MountEntry* entry : TopMounts())
    if (DriveClassifier::Classify(*entry, m_source) != kDriveUnknown) kept.push_back(entry);
  std::vector<std::string> roots;
  for (const MountEntry* entry : kept) {
    if (IsRedundantBind(*entry, kept)) continue;
    roots.push_back(entry->mountPoint == "/" ? "/" : entry->mountPoint + "/");
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

}  // namespace platform::posix
