// The directory scan's directories on Linux: one descriptor per directory,
// getdents64 into a buffer of the reading thread, statx for the length of
// each entry that is not a directory, and subdirectories opened relative to
// their parent's descriptor, so the kernel never walks a whole path again.
// The mount points below the scanned directory are known from the mount
// table, so another mount is never touched (it may not answer); any other
// subdirectory's mount-root test comes from the descriptor it is opened
// with. Entries are never opened; links are never followed into.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "platform/CallWatch.h"
#include "platform/ScanDirectory.h"

namespace platform::posix {

class PosixScanDirectory : public ScanDirectory {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Sorted mount points below the scanned directory.
  using MountPoints = std::shared_ptr<const std::vector<std::string>>;

  // Null when the directory cannot be opened or its mount does not answer.
  static std::unique_ptr<PosixScanDirectory> Open(const std::string& directory, MountPoints mounts);

  PosixScanDirectory(Key, int fd, std::string path, MountPoints mounts)
      : m_fd(fd), m_path(std::move(path)), m_mounts(std::move(mounts)) {}
  ~PosixScanDirectory() override;
  PosixScanDirectory(const PosixScanDirectory&) = delete;
  PosixScanDirectory& operator=(const PosixScanDirectory&) = delete;

  bool Read(ScanSink& sink) override;
  std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) override;

 private:
  void Describe(const char* name, unsigned char type, ScanSink& sink) const;
  void DescribeLink(const char* name, ScanSink& sink) const;
  std::string ChildPath(std::string_view name) const;
  bool IsMountRoot(int childFd) const;

  int m_fd;
  std::string m_path;
  MountPoints m_mounts;
};

}  // namespace platform::posix
