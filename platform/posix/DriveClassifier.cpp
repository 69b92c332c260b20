#include "platform/posix/DriveClassifier.h"

#include <algorithm>
#include <iterator>

namespace platform::posix {
namespace {

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view value) {
  return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// True for the directory itself and everything below it.
bool IsAtOrBelow(std::string_view path, std::string_view directory) {
  return path == directory || (StartsWith(path, directory) && path.size() > directory.size() &&
                               path[directory.size()] == '/');
}

constexpr std::string_view kNetworkTypes[] = {
    "nfs",        "nfs4",        "cifs",        "smb3",      "smbfs",  "9p",    "afs",
    "ceph",       "glusterfs",   "fuse.sshfs",  "fuse.rclone", "davfs", "fuse.davfs2",
    "fuse.glusterfs", "fuse.s3fs", "fuse.gcsfuse", "ncpfs", "coda", "lustre", "fuse.cephfs"};

constexpr std::string_view kPseudoTypes[] = {
    "proc",     "sysfs",      "cgroup",     "cgroup2",  "devpts",    "devtmpfs", "mqueue",
    "debugfs",  "tracefs",    "securityfs", "bpf",      "configfs",  "fusectl",  "pstore",
    "autofs",   "binfmt_misc", "hugetlbfs", "efivarfs", "nsfs",      "rpc_pipefs", "selinuxfs",
    "nfsd",     "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "rootfs"};

constexpr std::string_view kDiskTypes[] = {
    "ext2",  "ext3",    "ext4",  "xfs",     "btrfs",  "vfat",  "msdos", "exfat",
    "ntfs",  "ntfs3",   "fuseblk", "f2fs",  "zfs",    "overlay", "jfs", "reiserfs",
    "hfs",   "hfsplus", "nilfs2", "bcachefs", "erofs", "squashfs", "ufs", "minix"};

}  // namespace

bool DriveClassifier::IsNetworkType(std::string_view fsType) {
  return Contains(kNetworkTypes, fsType) || StartsWith(fsType, "nfs") ||
         StartsWith(fsType, "fuse.smb");
}

bool DriveClassifier::IsPseudoType(std::string_view fsType) { return Contains(kPseudoTypes, fsType); }

bool DriveClassifier::IsDiskType(std::string_view fsType) { return Contains(kDiskTypes, fsType); }

bool DriveClassifier::IsSystemMountPoint(std::string_view mountPoint) {
  if (IsAtOrBelow(mountPoint, "/dev/shm")) return false;
  return IsAtOrBelow(mountPoint, "/proc") || IsAtOrBelow(mountPoint, "/sys") ||
         IsAtOrBelow(mountPoint, "/dev");
}

bool DriveClassifier::IsSnapImage(const MountEntry& mount) {
  return mount.fsType == "squashfs" &&
         (IsAtOrBelow(mount.mountPoint, "/snap") || mount.source.find("/snapd/") != std::string::npos ||
          mount.source.ends_with(".snap"));
}

bool DriveClassifier::IsOptical(const MountEntry& mount) {
  constexpr unsigned kScsiCdromMajor = 11;
  return mount.fsType == "iso9660" || mount.fsType == "udf" || mount.major == kScsiCdromMajor ||
         StartsWith(mount.source, "/dev/sr") || StartsWith(mount.source, "/dev/cdrom");
}

DriveType DriveClassifier::Classify(const MountEntry& mount, MountTableSource& source) {
  if (IsSystemMountPoint(mount.mountPoint)) return kDriveUnknown;
  if (IsPseudoType(mount.fsType) || IsSnapImage(mount)) return kDriveUnknown;
  if (IsOptical(mount)) return kDriveCdRom;
  if (IsNetworkType(mount.fsType)) return kDriveRemote;
  if (mount.fsType == "tmpfs" || mount.fsType == "ramfs") return kDriveRamDisk;
  if (mount.major != 0 && source.IsRemovableDevice(mount.major, mount.minor).value_or(false))
    return kDriveRemovable;
  if (IsDiskType(mount.fsType)) return kDriveFixed;
  // Unknown types count as disks only when they sit on a block device.
  return StartsWith(mount.source, "/dev/") && mount.major != 0 ? kDriveFixed : kDriveUnknown;
}

}  // namespace platform::posix
