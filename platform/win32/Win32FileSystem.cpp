#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Win32Api.h"

#include <cwchar>

#include "platform/win32/SystemPath.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32FindHandle.h"

namespace platform {

FileSystem& FileSystem::Native() {
  static win32::Win32FileSystem native;
  return native;
}

}  // namespace platform

namespace platform::win32 {

Win32FileSystem::Win32FileSystem() : m_probe(std::make_shared<Win32MountProbe>()) {}

std::string Win32FileSystem::SearchPattern(std::string_view directory) {
  std::string pattern(directory);
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  return pattern;
}

std::unique_ptr<FindHandle> Win32FileSystem::FindFirst(Job& job, std::string_view directory, FindData& first,
                                                       FindLevel level) {
  const Touch touch(job, directory);
  if (touch.Refused()) return nullptr;
  // Names and types are the tree's, mostly for probes that stop at the first
  // subdirectory; file lists and scans read to the end.
  return Win32FindHandle::Open(SystemPath(SearchPattern(directory)), first, level != FindLevel::kNamesAndType);
}

bool Win32MountProbe::Answers(const std::string& mount) const {
  ULARGE_INTEGER available{}, total{}, free{};
  ::GetDiskFreeSpaceExW(SystemPath(mount).c_str(), &available, &total, &free);
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

std::vector<std::string> Win32FileSystem::SplitDriveStrings(std::wstring_view buffer) {
  std::vector<std::string> roots;
  while (!buffer.empty() && buffer.front() != L'\0') {
    const std::size_t end = buffer.find(L'\0');
    roots.push_back(Narrow(buffer.substr(0, end)));
    if (end == std::wstring_view::npos) break;
    buffer.remove_prefix(end + 1);
  }
  return roots;
}

std::vector<std::string> Win32FileSystem::LogicalDriveStrings() {
  // 26 roots of four characters and the closing NUL fit; the loop covers
  // a drive appearing between the two calls.
  std::wstring buffer(4 * 26 + 1, L'\0');
  for (;;) {
    const DWORD needed = ::GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (needed == 0) return {};
    if (needed < buffer.size()) return SplitDriveStrings(std::wstring_view(buffer.data(), needed));
    buffer.assign(needed + 1, L'\0');
  }
}

DriveType Win32FileSystem::GetDriveType(std::string_view root) {
  const UINT type = ::GetDriveTypeW(SystemPath(root).c_str());
  return type <= kDriveRamDisk ? static_cast<DriveType>(type) : kDriveUnknown;
}

bool Win32FileSystem::GetVolumeInformation(Job& job, std::string_view root, VolumeInfo& out) {
  const Touch touch(job, root);
  if (touch.Refused()) return false;
  wchar_t name[MAX_PATH + 1] = {};
  wchar_t fsName[MAX_PATH + 1] = {};
  DWORD serial = 0, maxComponent = 0, flags = 0;
  if (!::GetVolumeInformationW(SystemPath(root).c_str(), name, MAX_PATH + 1, &serial, &maxComponent, &flags,
                               fsName, MAX_PATH + 1)) {
    return false;
  }
  out.volumeName = Narrow(name, ::wcsnlen(name, MAX_PATH));
  out.serialNumber = serial;
  out.maxComponentLength = maxComponent;
  out.flags = flags;
  out.fileSystemName = Narrow(fsName, ::wcsnlen(fsName, MAX_PATH));
  return true;
}

bool Win32FileSystem::GetDiskFreeSpace(Job& job, std::string_view root, DiskFreeSpace& out) {
  const Touch touch(job, root);
  if (touch.Refused()) return false;
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceW(SystemPath(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters)) {
    return false;
  }
  out.sectorsPerCluster = sectorsPerCluster;
  out.bytesPerSector = bytesPerSector;
  out.freeClusters = freeClusters;
  out.totalClusters = totalClusters;
  return true;
}

}  // namespace platform::win32
