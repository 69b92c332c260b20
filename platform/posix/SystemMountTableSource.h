// The real MountTableSource of a Linux system: /proc/self/mountinfo,
// /sys/dev/block, /dev/disk/by-label and by-uuid, statvfs.
#pragma once

#include "platform/posix/MountTableSource.h"

namespace platform::posix {

class SystemMountTableSource : public MountTableSource {
 public:
  std::string ReadMountInfo() override;
  std::optional<bool> IsRemovableDevice(unsigned major, unsigned minor) override;
  std::uint32_t LogicalBlockSize(unsigned major, unsigned minor) override;
  std::string ReadLabel(const MountEntry& mount) override;
  std::string ReadUuid(const MountEntry& mount) override;
  bool StatFileSystem(const std::string& path, FsStats& out) override;
  bool PathExists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;

  // Decodes udev's "\xHH" escapes of /dev/disk link names ("My\x20Disk").
  static std::string DecodeUdevName(const std::string& name);

 private:
  // A sysfs number of the device, or of its parent disk for a partition.
  static std::optional<std::uint64_t> ReadDeviceNumber(unsigned major, unsigned minor,
                                                       const char* leaf);
  static std::string FindDiskLink(const char* directory, const MountEntry& mount);
};

}  // namespace platform::posix
