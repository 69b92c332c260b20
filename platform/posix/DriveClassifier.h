// Decides the drive type of a mount from its file-system type, its mount
// point and the removable flag of its disk.
#pragma once

#include <string_view>

#include "platform/FileSystem.h"
#include "platform/posix/MountEntry.h"
#include "platform/posix/MountTableSource.h"

namespace platform::posix {

class DriveClassifier {
 public:
  // kDriveUnknown for pseudo and system-internal file systems, which the
  // drive list leaves out.
  static DriveType Classify(const MountEntry& mount, MountTableSource& source);

  static bool IsNetworkType(std::string_view fsType);
  static bool IsPseudoType(std::string_view fsType);

 private:
  static bool IsSystemMountPoint(std::string_view mountPoint);
  static bool IsSnapImage(const MountEntry& mount);
  static bool IsOptical(const MountEntry& mount);
  static bool IsDiskType(std::string_view fsType);
};

}  // namespace platform::posix
