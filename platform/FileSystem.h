// The program's window on the file system and its volumes: directory
// enumeration with first/next/close, the drive roots, drive types, volume
// information, free-space figures and local calendar time of a file time.
// One implementation per operating system (platform/posix, platform/win32);
// tests substitute their own.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Job.h"
#include "platform/MountProbe.h"
#include "platform/PathStyle.h"
#include "platform/ScanDirectory.h"

namespace platform {

// 100-ns units since 1601-01-01 UTC; 0 means "not recorded".
struct FileTime {
  std::uint64_t value = 0;
  auto operator<=>(const FileTime&) const = default;
};

// Attribute bits of an entry.
enum : std::uint32_t {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrSystem = 0x4,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
  kAttrTemporary = 0x100,
  kAttrReparsePoint = 0x400,  // a directory that is a link to another place
  kAttrCompressed = 0x800,
  kAttrOffline = 0x1000,
};

// Flags beside the attribute word.
enum : std::uint32_t {
  // A directory that stands for another place: the root of another mounted
  // file system, or a link to a directory. A scan does not enter it.
  kEntryMountRoot = 0x1,
};

struct FindData {
  std::string name;  // exact bytes as the file system gives them
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  FileTime creation;
  FileTime lastAccess;
  FileTime lastWrite;
  std::uint32_t flags = 0;
};

// How much an enumeration must report. kNamesAndType fills name and the
// directory bit only (cheap where the directory listing carries the type);
// kFiles fills every field of the entries that are not directories and
// name and type of the others, which are never touched (one may be the
// root of a mount that does not answer); kFull fills every field.
enum class FindLevel { kNamesAndType, kFiles, kFull };

// An open enumeration; the destructor closes it.
class FindHandle {
 public:
  virtual ~FindHandle() = default;
  // The next entry; false at the end or on any error.
  virtual bool Next(FindData& out) = 0;
};

// Drive types, as the drive tree and the drive information window use them.
enum DriveType : unsigned {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// File-system property flags of VolumeInfo::flags.
enum : std::uint32_t {
  kFsCaseSensitiveSearch = 0x1,
  kFsCasePreservedNames = 0x2,
  kFsUnicodeOnDisk = 0x4,
  kFsPersistentAcls = 0x8,
  kFsFileCompression = 0x10,
  kFsVolumeIsCompressed = 0x8000,
};

struct VolumeInfo {
  std::string volumeName;
  std::uint32_t serialNumber = 0;
  std::uint32_t maxComponentLength = 0;
  std::uint32_t flags = 0;
  std::string fileSystemName;
};

struct DiskFreeSpace {
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Every call that may block on a drive is made for a job (Job): it names
// the paths it touches there, fails at once when the job was given up or
// the path leads into a mount that stopped answering, and fails silently
// like any other failure then.
class FileSystem {
 public:
  FileSystem() = default;
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;
  virtual ~FileSystem() = default;

  // Starts an enumeration of directory (an empty one is the root of the
  // current drive) and fills the first entry. Null when the listing cannot
  // be started (or has no entry at all). Never opens a file, never blocks
  // on a FIFO or device.
  virtual std::unique_ptr<FindHandle> FindFirst(Job& job, std::string_view directory, FindData& first,
                                                FindLevel level) = 0;

  // The drive roots in order ("/" first on POSIX, "C:\" style on Windows).
  virtual std::vector<std::string> LogicalDriveStrings() = 0;
  virtual DriveType GetDriveType(std::string_view root) = 0;
  virtual bool GetVolumeInformation(Job& job, std::string_view root, VolumeInfo& out) = 0;
  virtual bool GetDiskFreeSpace(Job& job, std::string_view root, DiskFreeSpace& out) = 0;

  // A directory for the directory scan, by the path the scan builds (an
  // empty path is the root of the current drive). The listing itself starts
  // with Read. Must be safe to call from several threads at once; by
  // default every directory is listed through FindFirst by its path.
  virtual std::unique_ptr<ScanDirectory> OpenScanDirectory(Job& job, const std::string& path,
                                                           const ScanHook& hook);

  // The calling thread's times, where the system tells them cheaply; false
  // elsewhere (by default), and then the scan keeps to the readers it
  // started with.
  virtual bool CallingThreadTimes(ThreadTimes& out) const;

  // What may be learned about this file system's mounts without waiting
  // on one; by default every path is on the root and every mount answers.
  virtual std::shared_ptr<const MountProbe> Probe();

  // This file system's mounts that stopped answering, shared by its jobs.
  std::shared_ptr<StuckMounts> Stuck();

  // The system's own file system.
  static FileSystem& Native();

 private:
  std::once_flag m_stuckMade;
  std::shared_ptr<StuckMounts> m_stuck;
};

// Local calendar time of a file time, with the zone offset in force at that
// time. False for 0 and for times the conversion cannot represent.
bool FileTimeToLocal(FileTime time, LocalTime& out);

// Sets the process's time zone for tests ("Europe/Berlin"); empty restores
// the environment's zone.
void SetTimeZoneForTesting(const char* zone);

}  // namespace platform
