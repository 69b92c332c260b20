// The system's file system with one directory as its only drive, a
// removable one, so that nothing is read before the drive is expanded.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace bench {

class OneDriveFileSystem : public platform::FileSystem {
 public:
  explicit OneDriveFileSystem(std::string root) : m_root(std::move(root)) {}
  std::unique_ptr<platform::FindHandle> FindFirst(platform::Job& job, std::string_view directory,
                                                  platform::FindData& first, platform::FindLevel level) override {
    return Native().FindFirst(job, directory, first, level);
  }
  std::vector<std::string> LogicalDriveStrings() override { return {m_root}; }
  platform::DriveType GetDriveType(std::string_view) override { return platform::kDriveRemovable; }
  bool GetVolumeInformation(platform::Job& job, std::string_view root, platform::VolumeInfo& out) override {
    return Native().GetVolumeInformation(job, root, out);
  }
  bool GetDiskFreeSpace(platform::Job& job, std::string_view root, platform::DiskFreeSpace& out) override {
    return Native().GetDiskFreeSpace(job, root, out);
  }
  std::shared_ptr<const platform::MountProbe> Probe() override { return Native().Probe(); }

 private:
  std::string m_root;
};

}  // namespace bench
