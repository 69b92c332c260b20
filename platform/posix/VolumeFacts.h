// The volume figures derived from a mount and its statvfs answer: the
// property flags of a file-system type, the serial number and the cluster
// figures.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/posix/MountEntry.h"
#include "platform/posix/MountTableSource.h"

namespace platform::posix {

class VolumeFacts {
 public:
  // kFs* flags of the mount's file-system type and options.
  static std::uint32_t Flags(const MountEntry& mount);

  // The first 32 bits of a UUID ("1a2b3c4d-..." or "ABCD-1234"); the low
  // 32 bits of the fsid when the UUID gives fewer than eight hex digits.
  static std::uint32_t Serial(std::string_view uuid, std::uint64_t fsid);

  // Cluster figures, each clamped to 32 bits; a logical block size of 0
  // (unknown) counts as 512.
  static DiskFreeSpace FreeSpace(const FsStats& stats, std::uint32_t logicalBlockSize);

 private:
  static bool HasAcls(const MountEntry& mount);
};

}  // namespace platform::posix
