#include "platform/posix/VolumeFacts.h"

#include <algorithm>
#include <iterator>

#include "platform/posix/MountInfoParser.h"

namespace platform::posix {
namespace {

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view value) {
  return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

// Names compared without regard to case, but stored as written.
constexpr std::string_view kCaseInsensitiveTypes[] = {
    "vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "hfsplus", "cifs", "smb3", "smbfs"};
// Neither case-sensitive nor case-preserving (8.3 names in upper case).
constexpr std::string_view kUpperCaseTypes[] = {"msdos"};
constexpr std::string_view kUnicodeTypes[] = {"vfat",    "exfat",   "ntfs", "ntfs3",
                                              "fuseblk", "iso9660", "udf"};
// POSIX ACLs on unless switched off with "noacl".
constexpr std::string_view kDefaultAclTypes[] = {"ext2", "ext3", "ext4", "xfs", "btrfs", "tmpfs"};
constexpr std::string_view kCompressedVolumeTypes[] = {"squashfs", "erofs"};

std::uint32_t Clamp32(std::uint64_t value) {
  return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool VolumeFacts::HasAcls(const MountEntry& mount) {
  auto has = [&](std::string_view option) {
    return MountInfoParser::HasOption(mount.superOptions, option) ||
           MountInfoParser::HasOption(mount.mountOptions, option);
  };
  if (has("noacl")) return false;
  return has("acl") || has("posixacl") || Contains(kDefaultAclTypes, mount.fsType);
}

std::uint32_t VolumeFacts::Flags(const MountEntry& mount) {
  std::uint32_t flags = 0;
  if (Contains(kCaseInsensitiveTypes, mount.fsType))
    flags |= kFsCasePreservedNames;
  else if (!Contains(kUpperCaseTypes, mount.fsType))
    flags |= kFsCaseSensitiveSearch | kFsCasePreservedNames;
  if (Contains(kUnicodeTypes, mount.fsType)) flags |= kFsUnicodeOnDisk;
  if (HasAcls(mount)) flags |= kFsPersistentAcls;
  if (mount.fsType == "btrfs") flags |= kFsFileCompression;
  if (Contains(kCompressedVolumeTypes, mount.fsType)) flags |= kFsVolumeIsCompressed;
  return flags;
}

std::uint32_t VolumeFacts::Serial(std::string_view uuid, std::uint64_t fsid) {
  std::uint32_t serial = 0;
  int digits = 0;
  for (char c : uuid) {
    if (c == '-') continue;
    const int value = HexDigit(c);
    if (value < 0) break;
    serial = (serial << 4) | static_cast<std::uint32_t>(value);
    if (++digits == 8) return serial;
  }
  return static_cast<std::uint32_t>(fsid & 0xFFFFFFFFu);
}

DiskFreeSpace VolumeFacts::FreeSpace(const FsStats& stats, std::uint32_t logicalBlockSize) {
  DiskFreeSpace out;
  out.bytesPerSector = logicalBlockSize != 0 ? logicalBlockSize : 512;
  out.sectorsPerCluster = std::max<std::uint32_t>(1, Clamp32(stats.fragmentSize / out.bytesPerSector));
  out.freeClusters = Clamp32(stats.blocksAvailable);
  out.totalClusters = Clamp32(stats.blocks);
  return out;
}

}  // namespace platform::posix
