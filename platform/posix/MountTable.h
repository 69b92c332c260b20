// The mounts of the system as the drive calls see them: the top mount of
// each mount point, found by root path, and the list of drive roots.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/MountEntry.h"
#include "platform/posix/MountTableSource.h"

namespace platform::posix {

class MountTable {
 public:
  // Reads and parses the source's mount table once.
  explicit MountTable(MountTableSource& source);

  // The top mount at exactly this mount point ("/media/usb/" and
  // "/media/usb" alike); null when nothing is mounted there.
  const MountEntry* Find(std::string_view root) const;

  // The mount whose file system holds the path (longest matching mount point).
  const MountEntry* Containing(std::string_view path) const;

  // Drive roots (mount point + "/", "/" for the root) in byte order, "/"
  // first, without pseudo file systems. A bind mount of a sub-directory or
  // file (mount root other than "/") is left out when its device is also
  // mounted whole, and when its mount point is not a directory.
  std::vector<std::string> DriveRoots() const;

  // Every mount point of the table, as written there.
  std::vector<std::string> MountPoints() const;

  // "/a/b/" -> "/a/b"; "/" stays.
  static std::string_view TrimRoot(std::string_view root);

 private:
  bool IsRedundantBind(const MountEntry& mount, const std::vector<const MountEntry*>& kept) const;
  std::vector<const MountEntry*> TopMounts() const;

  MountTableSource& m_source;
  std::vector<MountEntry> m_entries;
};

}  // namespace platform::posix
