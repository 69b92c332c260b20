#include "platform/posix/SystemMountTableSource.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <memory>

namespace platform::posix {
namespace {

// Whole contents of a small system file; empty when it cannot be read.
std::string ReadSmallFile(const std::string& path) {
  std::string text;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return text;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return text;
}

std::optional<std::uint64_t> ParseNumber(const std::string& text) {
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end == text.data()) return std::nullopt;
  return value;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The device numbers that identify a mount's file system: the mount
// table's own (0 for btrfs and other anonymous devices) and the source's.
bool MatchesMount(dev_t rdev, const MountEntry& mount, dev_t sourceDevice) {
  if (mount.major != 0 && rdev == makedev(mount.major, mount.minor)) return true;
  return sourceDevice != 0 && rdev == sourceDevice;
}

}  // namespace

std::string SystemMountTableSource::ReadMountInfo() {
  return ReadSmallFile("/proc/self/mountinfo");
}

std::optional<std::uint64_t> SystemMountTableSource::ReadDeviceNumber(unsigned major,
                                                                      unsigned minor,
                                                                      const char* leaf) {
  const std::string base = "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
  if (auto value = ParseNumber(ReadSmallFile(base + "/" + leaf))) return value;
  // A partition has no attributes of its own; its disk is the parent directory.
  return ParseNumber(ReadSmallFile(base + "/../" + leaf));
}

std::optional<bool> SystemMountTableSource::IsRemovableDevice(unsigned major, unsigned minor) {
  if (auto value = ReadDeviceNumber(major, minor, "removable")) return *value != 0;
  return std::nullopt;
}

std::uint32_t SystemMountTableSource::LogicalBlockSize(unsigned major, unsigned minor) {
  auto value = ReadDeviceNumber(major, minor, "queue/logical_block_size");
  if (!value || *value > 0xFFFFFFFFu) return 0;
  return static_cast<std::uint32_t>(*value);
}

std::string SystemMountTableSource::DecodeUdevName(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
        HexValue(name[i + 2]) >= 0 && HexValue(name[i + 3]) >= 0) {
      out += static_cast<char>(HexValue(name[i + 2]) * 16 + HexValue(name[i + 3]));
      i += 3;
    } else {
      out += name[i];
    }
  }
  return out;
}

std::string SystemMountTableSource::FindDiskLink(const char* directory, const MountEntry& mount) {
  dev_t sourceDevice = 0;
  struct stat st {};
  if (mount.source.rfind("/dev/", 0) == 0 && ::stat(mount.source.c_str(), &st) == 0 &&
      S_ISBLK(st.st_mode))
    sourceDevice = st.st_rdev;
  if (mount.major == 0 && sourceDevice == 0) return {};

  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory), ::closedir);
  if (!dir) return {};
  while (const dirent* entry = ::readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) != 0 || !S_ISBLK(st.st_mode)) continue;
    if (MatchesMount(st.st_rdev, mount, sourceDevice)) return DecodeUdevName(entry->d_name);
  }
  return {};
}

std::string SystemMountTableSource::ReadLabel(const MountEntry& mount) {
  return FindDiskLink("/dev/disk/by-label", mount);
}

std::string SystemMountTableSource::ReadUuid(const MountEntry& mount) {
  return FindDiskLink("/dev/disk/by-uuid", mount);
}

bool SystemMountTableSource::StatFileSystem(const std::string& path, FsStats& out) {
  struct statvfs vfs {};
  if (::statvfs(path.c_str(), &vfs) != 0) return false;
  out.fragmentSize = vfs.f_frsize;
  out.blocks = vfs.f_blocks;
  out.blocksAvailable = vfs.f_bavail;
  out.nameMax = vfs.f_namemax;
  out.fsid = vfs.f_fsid;  // glibc folds statfs's two fsid words into this
  return true;
}

bool SystemMountTableSource::PathExists(const std::string& path) {
  struct stat st {};
  return ::fstatat(AT_FDCWD, path.c_str(), &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) == 0;
}

bool SystemMountTableSource::IsDirectory(const std::string& path) {
  struct stat st {};
  return ::fstatat(AT_FDCWD, path.c_str(), &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) == 0 &&
         S_ISDIR(st.st_mode);
}

}  // namespace platform::posix
