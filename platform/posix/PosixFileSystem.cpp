#include "platform/posix/PosixFileSystem.h"

#include <sys/resource.h>

#include <algorithm>

#include "platform/posix/DriveClassifier.h"
#include "platform/posix/MountTable.h"
#include "platform/posix/PosixMountProbe.h"
#include "platform/posix/PosixFindHandle.h"
#include "platform/posix/PosixScanDirectory.h"
#include "platform/posix/SystemMountTableSource.h"
#include "platform/posix/VolumeFacts.h"

namespace platform {

FileSystem& FileSystem::Native() {
  static posix::PosixFileSystem native;
  return native;
}

}  // namespace platform

namespace platform::posix {

PosixFileSystem::PosixFileSystem() : PosixFileSystem(std::make_shared<SystemMountTableSource>()) {}

PosixFileSystem::PosixFileSystem(std::shared_ptr<MountTableSource> source)
    : m_source(std::move(source)), m_probe(std::make_shared<PosixMountProbe>(m_source)) {}

std::unique_ptr<FindHandle> PosixFileSystem::FindFirst(Job& job, std::string_view directory, FindData& first,
                                                       FindLevel level) {
  std::unique_ptr<PosixFindHandle> handle = PosixFindHandle::Open(job, Directory(directory), level, m_listing);
  if (!handle || !handle->Next(first)) return nullptr;
  return handle;
}

std::unique_ptr<ScanDirectory> PosixFileSystem::OpenScanDirectory(Job& job, const std::string& path,
                                                                  const ScanHook& hook) {
  const std::string directory = Directory(path);
  return PosixScanDirectory::Open(job, directory, MountPointsBelow(directory), hook);
}

// The mount points strictly below directory, sorted: the scan leaves them
// alone without touching them.
PosixScanDirectory::MountPoints PosixFileSystem::MountPointsBelow(const std::string& directory) {
  const std::string_view top = MountTable::TrimRoot(directory);
  auto points = std::make_shared<std::vector<std::string>>();
  for (const std::string& point : MountTable(*m_source).MountPoints()) {
    const bool below = point.size() > top.size() && point.starts_with(top) &&
                       (top == "/" || point[top.size()] == '/');
    if (below) points->push_back(point);
  }
  std::sort(points->begin(), points->end());
  return points;
}

// The kernel counts a thread's voluntary switches: each is a sleep in a
// call (a disk read, a lock); being pushed off a busy processor is not one.
bool PosixFileSystem::CallingThreadTimes(ThreadTimes& out) const {
  rusage usage{};
  if (::getrusage(RUSAGE_THREAD, &usage) != 0) return false;
  const auto nanos = [](const timeval& t) {
    return static_cast<std::uint64_t>(t.tv_sec) * 1000000000u + static_cast<std::uint64_t>(t.tv_usec) * 1000u;
  };
  out.cpuNanos = nanos(usage.ru_utime) + nanos(usage.ru_stime);
  out.sleeps = static_cast<std::uint64_t>(usage.ru_nvcsw);
  return true;
}

std::vector<std::string> PosixFileSystem::LogicalDriveStrings() {
  return MountTable(*m_source).DriveRoots();
}

DriveType PosixFileSystem::GetDriveType(std::string_view root) {
  const MountTable table(*m_source);
  if (const MountEntry* mount = table.Find(root)) return DriveClassifier::Classify(*mount, *m_source);
  return m_source->PathExists(std::string(MountTable::TrimRoot(root))) ? kDriveUnknown
                                                                        : kDriveNoRootDir;
}

bool PosixFileSystem::GetVolumeInformation(Job& job, std::string_view root, VolumeInfo& out) {
  const Touch touch(job, root);
  if (touch.Refused()) return false;
  const MountTable table(*m_source);
  const MountEntry* mount = table.Containing(MountTable::TrimRoot(root));
  FsStats stats;
  if (!mount || !m_source->StatFileSystem(std::string(root), stats)) return false;
  out.volumeName = m_source->ReadLabel(*mount);
  out.serialNumber = VolumeFacts::Serial(m_source->ReadUuid(*mount), stats.fsid);
  out.maxComponentLength = static_cast<std::uint32_t>(std::min<std::uint64_t>(stats.nameMax, 0xFFFFFFFFu));
  out.flags = VolumeFacts::Flags(*mount);
  out.fileSystemName = mount->fsType;
  return true;
}

bool PosixFileSystem::GetDiskFreeSpace(Job& job, std::string_view root, DiskFreeSpace& out) {
  const Touch touch(job, root);
  if (touch.Refused()) return false;
  const MountTable table(*m_source);
  const MountEntry* mount = table.Containing(MountTable::TrimRoot(root));
  FsStats stats;
  if (!m_source->StatFileSystem(std::string(root), stats)) return false;
  const std::uint32_t blockSize =
      mount && mount->major != 0 ? m_source->LogicalBlockSize(mount->major, mount->minor) : 0;
  out = VolumeFacts::FreeSpace(stats, blockSize);
  return true;
}

}  // namespace platform::posix
