// The directory scan's directories on Linux: one descriptor per directory,
// getdents64 into a buffer of the reading thread, statx for the length of
// each entry that is not a directory, and subdirectories opened relative to
// their parent's descriptor, so the kernel never walks a whole path again.
// The mount points below the scanned directory are known from the mount
// table, so another mount is never touched (it may not answer); any other
// subdirectory's mount-root test comes from the descriptor it is opened
// with. Entries are never opened; links are never followed into.
//
// The descriptors a scan holds open are bounded without raising the
// process's limit: past a budget, a directory that has been read lets its
// descriptor go, and its subdirectories are opened by their full path.
#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Job.h"
#include "platform/ScanDirectory.h"
#include "platform/posix/UniqueFd.h"

namespace platform::posix {

class PosixScanDirectory : public ScanDirectory {
 public:
  // Sorted mount points below the scanned directory.
  using MountPoints = std::shared_ptr<const std::vector<std::string>>;
  struct Scan;  // what the directories of one scan share

  // Null when the directory cannot be opened or job may not touch it. The
  // directory stays named as touched by job until the last directory of
  // the scan is gone.
  static std::unique_ptr<PosixScanDirectory> Open(Job& job, const std::string& directory, MountPoints mounts,
                                                  const ScanHook& hook);

  PosixScanDirectory(std::shared_ptr<Scan> scan, UniqueFd fd, std::string path);
  ~PosixScanDirectory() override;
  PosixScanDirectory(const PosixScanDirectory&) = delete;
  PosixScanDirectory& operator=(const PosixScanDirectory&) = delete;

  bool Read(ScanSink& sink) override;
  void DoneReading() override;
  std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) override;

  // Descriptors open now for the scan this directory belongs to.
  int OpenDescriptors() const;

 private:
  void Describe(const char* name, unsigned char type, ScanSink& sink) const;
  void DescribeLink(const char* name, ScanSink& sink) const;
  std::string ChildPath(std::string_view name) const;
  bool IsMountRoot(int childFd) const;

  std::shared_ptr<Scan> m_scan;
  UniqueFd m_fd;
  std::string m_path;
  unsigned m_devMajor = 0, m_devMinor = 0;  // read while the descriptor is open
};

}  // namespace platform::posix
