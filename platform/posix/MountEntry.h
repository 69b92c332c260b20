// One line of the kernel's mount table (/proc/self/mountinfo), with the
// octal escapes of its path fields decoded.
#pragma once

#include <string>

namespace platform::posix {

struct MountEntry {
  unsigned major = 0;  // device number as the mount table gives it
  unsigned minor = 0;
  std::string root;        // directory of the file system mounted here ("/" for a whole one)
  std::string mountPoint;  // where it is mounted
  std::string mountOptions;
  std::string fsType;  // "ext4", "nfs4", "fuse.sshfs"
  std::string source;  // "/dev/sda1", "server:/export", "tmpfs"
  std::string superOptions;
};

}  // namespace platform::posix
