// FileSystem for Windows, straight on the system's own W calls: drive roots
// "C:\" from GetLogicalDriveStringsW, drive types, volume information and
// free space of a root, listings with FindFirstFileExW and its partners.
// Paths and names are UTF-8 here and UTF-16 in the calls (SystemPath,
// which also takes long paths past the system's old limit).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  Win32FileSystem();

  std::unique_ptr<FindHandle> FindFirst(Job& job, std::string_view directory, FindData& first,
                                        FindLevel level) override;
  std::vector<std::string> LogicalDriveStrings() override;
  DriveType GetDriveType(std::string_view root) override;
  bool GetVolumeInformation(Job& job, std::string_view root, VolumeInfo& out) override;
  bool GetDiskFreeSpace(Job& job, std::string_view root, DiskFreeSpace& out) override;
  std::shared_ptr<const MountProbe> Probe() override { return m_probe; }

  // The search pattern that lists directory: "<directory>\*.*", with no
  // second separator after a root.
  static std::string SearchPattern(std::string_view directory);

  // The roots of a GetLogicalDriveStringsW buffer: strings separated by
  // NULs and ended by an empty one ("A:\\\0C:\\\0\0"), in UTF-8.
  static std::vector<std::string> SplitDriveStrings(std::wstring_view buffer);

 private:
  std::shared_ptr<const MountProbe> m_probe;
};

// Where a path lies on Windows: its drive "C:\" or its share
// "\\server\share\"; a mount answers when its free space can be asked.
class Win32MountProbe : public MountProbe {
 public:
  std::string MountOf(std::string_view path) const override;
  bool Answers(const std::string& mount) const override;
};

}  // namespace platform::win32
