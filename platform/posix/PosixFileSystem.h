// FileSystem for Linux. Drives are the mount points of the user's file
// systems; everything about mounts and volumes comes from a
// MountTableSource, so tests can construct one with a fixture:
//
//   auto source = std::make_shared<MyFixtureSource>();
//   platform::posix::PosixFileSystem fs(source);
//
// FileSystem::Native() is a PosixFileSystem over SystemMountTableSource.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/posix/MountTableSource.h"
#include "platform/posix/PosixScanDirectory.h"

namespace platform::posix {

class PosixFileSystem : public FileSystem {
 public:
  // The system's own mount table.
  PosixFileSystem();
  explicit PosixFileSystem(std::shared_ptr<MountTableSource> source);

  std::unique_ptr<FindHandle> FindFirst(std::string_view pattern, FindData& first,
                                        FindLevel level) override;
  std::vector<std::string> LogicalDriveStrings() override;
  DriveType GetDriveType(std::string_view root) override;
  bool GetVolumeInformation(std::string_view root, VolumeInfo& out) override;
  bool GetDiskFreeSpace(std::string_view root, DiskFreeSpace& out) override;
  std::unique_ptr<ScanDirectory> OpenScanDirectory(const std::string& path) override;
  std::string MountOf(std::string_view path) override;

  // The directory a search pattern lists: "/a/b/*.*" -> "/a/b/",
  // "/*.*" -> "/", "*.*" -> ".". A pattern without the final "*.*" is
  // taken as the directory itself.
  static std::string DirectoryOfPattern(std::string_view pattern);

 private:
  PosixScanDirectory::MountPoints MountPointsBelow(const std::string& directory);

  std::shared_ptr<MountTableSource> m_source;
};

}  // namespace platform::posix
