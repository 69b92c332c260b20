// FileSystem for Windows, straight on the system's own calls: drive roots
// "C:\" from GetLogicalDriveStringsA, drive types, volume information and
// free space of a root, listings with FindFirstFileA and its partners.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<FindHandle> FindFirst(std::string_view pattern, FindData& first,
                                        FindLevel level) override;
  std::vector<std::string> LogicalDriveStrings() override;
  DriveType GetDriveType(std::string_view root) override;
  bool GetVolumeInformation(std::string_view root, VolumeInfo& out) override;
  bool GetDiskFreeSpace(std::string_view root, DiskFreeSpace& out) override;
  std::string MountOf(std::string_view path) override;

  // The roots of a GetLogicalDriveStringsA buffer: strings separated by
  // NULs and ended by an empty one ("A:\\\0C:\\\0\0").
  static std::vector<std::string> SplitDriveStrings(std::string_view buffer);
};

}  // namespace platform::win32
