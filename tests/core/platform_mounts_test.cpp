// Drives, drive types and volume figures of the Linux file system, fed
// from a fixed mount table and fixed device answers.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "platform/posix/MountInfoParser.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/SystemMountTableSource.h"
#include "platform/posix/VolumeFacts.h"

namespace {

using namespace platform;
using platform::posix::FsStats;
using platform::posix::MountEntry;

class FixtureSource : public posix::MountTableSource {
 public:
  std::string mountInfo =
      "21 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
      "22 21 8:1 / /boot/efi rw,relatime shared:2 - vfat /dev/sda1 rw,fmask=0077\n"
      "23 21 8:17 / /media/usb rw,nosuid shared:3 master:1 - vfat /dev/sdb1 rw\n"
      "24 21 11:0 / /mnt/cd ro - iso9660 /dev/sr0 ro\n"
      "25 21 0:20 / /proc rw - proc proc rw\n"
      "26 21 0:21 / /sys rw - sysfs sysfs rw\n"
      "27 26 0:25 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
      "28 21 0:6 / /dev rw - devtmpfs udev rw\n"
      "29 28 0:26 / /dev/shm rw - tmpfs tmpfs rw\n"
      "30 21 0:27 / /run/user/0 rw - tmpfs tmpfs rw,mode=700\n"
      "31 21 0:40 / /mnt/share rw - nfs4 server:/export rw,vers=4.2\n"
      "32 21 8:3 / /mnt/My\\040Disk rw - ext4 /dev/sda3 rw\n"
      "33 21 8:2 /srv/data /srv/bound rw - ext4 /dev/sda2 rw\n"
      "34 21 8:4 / /mnt/stack rw - ext4 /dev/sda4 rw\n"
      "35 34 0:41 / /mnt/stack rw - tmpfs tmpfs rw\n"
      "36 21 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
      "37 21 254:1 /containers/abc/hosts /etc/hosts rw - ext4 /dev/vda1 rw\n"
      "38 21 8:5 / /data rw - btrfs /dev/sda5 rw,noacl\n"
      "garbage line\n";
  FsStats stats{4096, 1000, 250, 255, 0x1111222233334444ull};
  std::string ReadMountInfo() override { return mountInfo; }
  std::optional<bool> IsRemovableDevice(unsigned major, unsigned minor) override {
    if (major == 8 || major == 11) return (major == 8 && minor == 17) || major == 11;
    return std::nullopt;
  }
  std::uint32_t LogicalBlockSize(unsigned major, unsigned minor) override {
    return major == 8 && minor == 2 ? 4096 : 0;
  }
  std::string ReadLabel(const MountEntry& m) override { return m.source == "/dev/sda1" ? "EFI SYS" : ""; }
  std::string ReadUuid(const MountEntry& m) override {
    const std::map<std::string, std::string> uuids = {{"/dev/sda1", "ABCD-1234"},
                                                      {"/dev/sda2", "1a2b3c4d-0000-4000-8000-000000000000"}};
    return uuids.count(m.source) ? uuids.at(m.source) : "";
  }
  bool StatFileSystem(const std::string& path, FsStats& out) override {
    out = stats;
    return path != "/mnt/share/";  // a server that does not answer
  }
  bool PathExists(const std::string& path) override { return path == "/home"; }
  bool IsDirectory(const std::string& path) override { return path != "/etc/hosts"; }
};

class MountsTest : public ::testing::Test {
 protected:
  std::shared_ptr<FixtureSource> m_source = std::make_shared<FixtureSource>();
  posix::PosixFileSystem m_fs{m_source};
};

TEST_F(MountsTest, DriveRootsAreTheUsersMountsInByteOrderEachWithItsType) {
  const std::pair<const char*, DriveType> drives[] = {
      {"/", kDriveFixed},        {"/boot/efi/", kDriveFixed},   {"/data/", kDriveFixed},
      {"/dev/shm/", kDriveRamDisk}, {"/media/usb/", kDriveRemovable}, {"/mnt/My Disk/", kDriveFixed},
      {"/mnt/cd/", kDriveCdRom},  // removable too, but a CD first
      {"/mnt/share/", kDriveRemote},
      {"/mnt/stack/", kDriveRamDisk},  // the top mount counts
      {"/run/user/0/", kDriveRamDisk}};
  std::vector<std::string> roots;
  for (const auto& [root, type] : drives) {
    roots.push_back(root);
    EXPECT_EQ(m_fs.GetDriveType(root), type) << root;
  }
  EXPECT_EQ(m_fs.LogicalDriveStrings(), roots);
  for (const char* none : {"/proc/", "/sys/fs/cgroup/", "/dev/", "/snap/core/1/", "/home/"})
    EXPECT_EQ(m_fs.GetDriveType(none), kDriveUnknown) << none;  // "/home" exists, but is no mount point
  EXPECT_EQ(m_fs.GetDriveType("/nowhere/"), kDriveNoRootDir);
  // The mount that holds a path: the longest, the one on top.
  for (const auto& [path, mount] : {std::pair{"/mnt/stack/x", "/mnt/stack"}, {"/boot/efi", "/boot/efi"},
                                    {"/boot/efix", "/"}, {"/home/user", "/"}})
    EXPECT_EQ(m_fs.Probe()->MountOf(path), mount) << path;
  m_source->mountInfo.clear();  // unreadable
  EXPECT_TRUE(m_fs.LogicalDriveStrings().empty());
  EXPECT_EQ(m_fs.GetDriveType("/"), kDriveNoRootDir);
}

TEST_F(MountsTest, VolumeFiguresOfEachKindOfMount) {
  using Volume = std::tuple<std::string, std::uint32_t, std::string, std::uint32_t, std::uint32_t>;
  constexpr std::uint32_t kPosix = kFsCaseSensitiveSearch | kFsCasePreservedNames | kFsPersistentAcls;
  const std::pair<const char*, Volume> volumes[] = {
      {"/boot/efi/", {"EFI SYS", 0xABCD1234u, "vfat", 255, kFsCasePreservedNames | kFsUnicodeOnDisk}},
      {"/", {"", 0x1a2b3c4du, "ext4", 255, kPosix}},
      {"/dev/shm/", {"", 0x33334444u, "tmpfs", 255, kPosix}}};  // no UUID: the file system id
  VolumeInfo info;
  platform::Job job(m_fs);
  for (const auto& [root, volume] : volumes) {
    ASSERT_TRUE(m_fs.GetVolumeInformation(job, root, info)) << root;
    EXPECT_EQ(Volume(info.volumeName, info.serialNumber, info.fileSystemName, info.maxComponentLength, info.flags),
              volume) << root;
  }
  DiskFreeSpace space;
  ASSERT_TRUE(m_fs.GetDiskFreeSpace(job, "/", space));  // the device's sector size
  EXPECT_EQ((std::vector{space.bytesPerSector, space.sectorsPerCluster, space.freeClusters, space.totalClusters}),
            (std::vector<std::uint32_t>{4096, 1, 250, 1000}));
  ASSERT_TRUE(m_fs.GetDiskFreeSpace(job, "/dev/shm/", space));  // no block device
  EXPECT_EQ(std::pair(space.bytesPerSector, space.sectorsPerCluster), std::pair(512u, 8u));
  space = {};
  EXPECT_FALSE(m_fs.GetVolumeInformation(job, "/mnt/share/", info) || m_fs.GetDiskFreeSpace(job, "/mnt/share/", space));
  EXPECT_EQ(space.totalClusters, 0u);
}

TEST(VolumeFactsTest, FlagsSerialsAndFreeSpace) {
  auto flags = [](const char* type, const char* super = "rw") {
    MountEntry m;
    m.fsType = type;
    m.superOptions = super;
    m.mountOptions = "rw";
    return posix::VolumeFacts::Flags(m);
  };
  // One type of each kind; ACLs by default or by option.
  constexpr std::uint32_t kPosix = kFsCaseSensitiveSearch | kFsCasePreservedNames;
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {flags("ext4"), kPosix | kFsPersistentAcls},   {flags("ext4", "rw,noacl"), kPosix},
      {flags("btrfs"), kPosix | kFsPersistentAcls | kFsFileCompression}, {flags("f2fs"), kPosix},
      {flags("f2fs", "rw,acl"), kPosix | kFsPersistentAcls},
      {flags("vfat"), kFsCasePreservedNames | kFsUnicodeOnDisk},
      {flags("msdos"), 0u}, {flags("iso9660"), kPosix | kFsUnicodeOnDisk},
      {flags("squashfs"), kPosix | kFsVolumeIsCompressed}};
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
  using posix::VolumeFacts;
  EXPECT_EQ(VolumeFacts::Serial("1a2b3c4d-5e6f-7a8b-9c0d-112233445566", 0), 0x1a2b3c4du);
  EXPECT_EQ(VolumeFacts::Serial("ABCD-1234", 0), 0xABCD1234u);
  EXPECT_EQ(VolumeFacts::Serial("", 0xAAAABBBBCCCCDDDDull), 0xCCCCDDDDu);
  EXPECT_EQ(VolumeFacts::Serial("12AB", 7), 7u);  // too short for 32 bits
  EXPECT_EQ(VolumeFacts::Serial("FFFFFFFF-0000", 0), 0xFFFFFFFFu);
  const DiskFreeSpace space = VolumeFacts::FreeSpace({1024, 1ull << 40, 0x100000000ull, 255, 0}, 4096);
  EXPECT_EQ((std::vector{space.totalClusters, space.freeClusters, space.sectorsPerCluster, space.bytesPerSector}),
            (std::vector<std::uint32_t>{0xFFFFFFFFu, 0xFFFFFFFFu, 1, 4096}));  // clamped; a fragment below a sector
}

TEST(MountInfoParserTest, FieldsEscapesAndBadLines) {
  using posix::MountInfoParser;
  const auto entries = MountInfoParser::Parse(
      "40 1 8:1 /sub\\134dir /mnt/a\\040b\\011c rw shared:5 master:2 - ext4 /dev/sd\\040a rw,acl\n"
      "41 1 0:50 / /mnt/x rw - tmpfs  rw\r\n"
      "42 1 bad / /mnt/y rw - ext4 /dev/sdy rw\n"
      "43 1 8:2 / /mnt/z rw no-dash-here ext4 /dev/sdz rw\n");
  ASSERT_EQ(entries.size(), 2u);
  const auto fields = [](const MountEntry& e) {
    return std::tuple(e.major, e.minor, e.root, e.mountPoint, e.fsType, e.source, e.superOptions);
  };
  EXPECT_EQ(fields(entries[0]), std::tuple(8u, 1u, "/sub\\dir", "/mnt/a b\tc", "ext4", "/dev/sd a", "rw,acl"));
  // An empty source keeps its field.
  EXPECT_EQ(fields(entries[1]), std::tuple(0u, 50u, "/", "/mnt/x", "tmpfs", "", "rw"));
  EXPECT_TRUE(MountInfoParser::HasOption("rw,acl,user_xattr", "acl"));
  EXPECT_FALSE(MountInfoParser::HasOption("rw,noacl", "acl"));
  EXPECT_TRUE(MountInfoParser::HasOption("rw,size=4k", "size"));
  using posix::SystemMountTableSource;
  EXPECT_EQ(SystemMountTableSource::DecodeUdevName("My\\x20Disk"), "My Disk");
  EXPECT_EQ(SystemMountTableSource::DecodeUdevName("a\\x2fb\\x2a\\x"), "a/b*\\x");
}

TEST(NativeFileSystemTest, RootIsAlwaysADrive) {
  // Whatever the machine, "/" is mounted and comes first.
  const auto roots = FileSystem::Native().LogicalDriveStrings();
  ASSERT_FALSE(roots.empty());
  EXPECT_EQ(roots.front(), "/");
  VolumeInfo info;
  DiskFreeSpace space;
  FileSystem& native = FileSystem::Native();
  platform::Job job(native);
  EXPECT_TRUE(native.GetVolumeInformation(job, "/", info) && native.GetDiskFreeSpace(job, "/", space));
  EXPECT_FALSE(info.fileSystemName.empty());
  EXPECT_GT(space.totalClusters, 0u);
}

}  // namespace
