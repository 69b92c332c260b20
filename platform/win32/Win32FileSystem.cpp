#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Win32Api.h"

#include "platform/win32/Win32FindHandle.h"

namespace platform {

FileSystem& FileSystem::Native() {
  static win32::Win32FileSystem native;
  return native;
}

}  // namespace platform

namespace platform::win32 {
namespace {

// The system's calls take NUL-terminated text; views need not be.
std::string Terminated(std::string_view text) { return std::string(text); }

}  // namespace

Win32FileSystem::Win32FileSystem() : m_probe(std::make_shared<Win32MountProbe>()) {}

std::string Win32FileSystem::SearchPattern(std::string_view directory) {
  std::string pattern(directory);
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  return pattern;
}

std::unique_ptr<FindHandle> Win32FileSystem::FindFirst(Job& job, std::string_view directory, FindData& first,
                                                       FindLevel /*level*/) {
  const Touch touch(job, directory);
  if (touch.Refused()) return nullptr;
  return Win32FindHandle::Open(SearchPattern(directory), first);
}

bool Win32MountProbe::Answers(const std::string& mount) const {
  ULARGE_INTEGER available{}, total{}, free{};
  ::GetDiskFreeSpaceExA(mount.c_str(), &available, &total, &free);
  return true;  // any answer, a failure too, is an answer
}

std::string Win32MountProbe::MountOf(std::string_view path) const {
  // "C:\..." is on drive C:; "\\server\share\..." on that share.
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2)) + "\\";
  if (path.starts_with("\\\\")) {
    const std::size_t server = path.find('\\', 2);
    const std::size_t share = server == std::string_view::npos ? server : path.find('\\', server + 1);
    return std::string(path.substr(0, share)) + "\\";
  }
  return "\\";
}

std::vector<std::string> Win32FileSystem::SplitDriveStrings(std::string_view buffer) {
  std::vector<std::string> roots;
  while (!buffer.empty() && buffer.front() != '\0') {
    const std::size_t end = buffer.find('\0');
    roots.emplace_back(buffer.substr(0, end));
    if (end == std::string_view::npos) break;
    buffer.remove_prefix(end + 1);
  }
  return roots;
}

std::vector<std::string> Win32FileSystem::LogicalDriveStrings() {
  // 26 roots of four characters and the closing NUL fit; the loop covers
  // a drive appearing between the two calls.
  std::string buffer(4 * 26 + 1, '\0');
  for (;;) {
    const DWORD needed = ::GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (needed == 0) return {};
    if (needed < buffer.size()) return SplitDriveStrings(std::string_view(buffer.data(), needed));
    buffer.assign(needed + 1, '\0');
  }
}

DriveType Win32FileSystem::GetDriveType(std::string_view root) {
  const UINT type = ::GetDriveTypeA(Terminated(root).c_str());
  return type <= kDriveRamDisk ? static_cast<DriveType>(type) : kDriveUnknown;
}

bool Win32FileSystem::GetVolumeInformation(Job& job, std::string_view root, VolumeInfo& out) {
  const Touch touch(job, root);
  if (touch.Refused()) return false;
  char name[MAX_PATH + 1] = {};
  char fsName[MAX_PATH + 1] = {};
  DWORD serial = 0, maxComponent = 0, flags = 0;
  if (!::GetVolumeInformationA(Terminated(root).c_str(), name, sizeof name, &serial, &maxComponent,
                               &flags, fsName, sizeof fsName)) {
    return false;
  }
  out.volumeName = name;
  out.serialNumber = serial;
  out.maxComponentLength = maxComponent;
  out.flags = flags;
  out.fileSystemName = fsName;
  return true;
}

bool Win32FileSystem::GetDiskFreeSpace(Job& job, std::string_view root, DiskFreeSpace& out) {
  const Touch touch(job, root);
  if (touch.Refused()) return false;
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceA(Terminated(root).c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &totalClusters)) {
    return false;
  }
  out.sectorsPerCluster = sectorsPerCluster;
  out.bytesPerSector = bytesPerSector;
  out.freeClusters = freeClusters;
  out.totalClusters = totalClusters;
  return true;
}

}  // namespace platform::win32
