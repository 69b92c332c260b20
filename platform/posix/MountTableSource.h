// Where the POSIX file system learns about mounts and volumes: the mount
// table, the block devices' sysfs facts, the /dev/disk name links and
// statvfs. PosixFileSystem asks only through this interface, so tests can
// feed it a fixed mount table and fixed device answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/posix/MountEntry.h"

namespace platform::posix {

// The figures of statvfs/statfs that the volume calls use.
struct FsStats {
  std::uint64_t fragmentSize = 0;     // f_frsize
  std::uint64_t blocks = 0;           // f_blocks, in fragment units
  std::uint64_t blocksAvailable = 0;  // f_bavail, free to unprivileged users
  std::uint64_t nameMax = 0;          // f_namemax
  std::uint64_t fsid = 0;             // statfs f_fsid, both words
};

class MountTableSource {
 public:
  virtual ~MountTableSource() = default;

  // The text of /proc/self/mountinfo; empty when it cannot be read.
  virtual std::string ReadMountInfo() = 0;

  // Whether the disk behind a block device reports removable media; empty
  // when sysfs does not say.
  virtual std::optional<bool> IsRemovableDevice(unsigned major, unsigned minor) = 0;

  // Logical block size of a block device in bytes; 0 when unknown.
  virtual std::uint32_t LogicalBlockSize(unsigned major, unsigned minor) = 0;

  // The label and the UUID of the file system of a mount, from the
  // /dev/disk/by-label and by-uuid links; empty when there is none.
  virtual std::string ReadLabel(const MountEntry& mount) = 0;
  virtual std::string ReadUuid(const MountEntry& mount) = 0;

  // statvfs + statfs of a path; false when the call fails.
  virtual bool StatFileSystem(const std::string& path, FsStats& out) = 0;

  // Whether a path exists, and whether it is a directory (no automount,
  // symlinks not followed at the last step).
  virtual bool PathExists(const std::string& path) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;
};

}  // namespace platform::posix
