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
#include "platform/posix/PosixFindHandle.h"
#include "platform/posix/PosixScanDirectory.h"

namespace platform::posix {

class PosixFileSystem : public FileSystem {
 public:
  // The system's own mount table.
  PosixFileSystem();
  explicit PosixFileSystem(std::shared_ptr<MountTableSource> source);

  std::unique_ptr<FindHandle> FindFirst(Job& job, std::string_view directory, FindData& first,
                                        FindLevel level) override;
  std::vector<std::string> LogicalDriveStrings() override;
  DriveType GetDriveType(std::string_view root) override;
  bool GetVolumeInformation(Job& job, std::string_view root, VolumeInfo& out) override;
  bool GetDiskFreeSpace(Job& job, std::string_view root, DiskFreeSpace& out) override;
  std::unique_ptr<ScanDirectory> OpenScanDirectory(Job& job, const std::string& path, const ScanHook& hook) override;
  bool CallingThreadTimes(ThreadTimes& out) const override;
  std::shared_ptr<const MountProbe> Probe() override { return m_probe; }

  // How listings share their statx calls (before the first listing).
  void SetListingOptions(ListingOptions options) { m_listing = std::move(options); }

  // The directory the program names: an empty path is the root.
  static std::string Directory(std::string_view path) { return path.empty() ? "/" : std::string(path); }

 private:
  PosixScanDirectory::MountPoints MountPointsBelow(const std::string& directory);

  std::shared_ptr<MountTableSource> m_source;
  std::shared_ptr<const MountProbe> m_probe;
  ListingOptions m_listing;
};

}  // namespace platform::posix
