// The directory scan's directories on Linux: one descriptor per directory,
// getdents64 into a buffer of the reading thread, statx for the length of
// each entry that is not a directory, and subdirectories opened relative to
// their parent's descriptor, so the kernel never walks a whole path again.
// A subdirectory's mount-root test comes from the descriptor it is opened
// with. Entries are never opened; links are never followed into.
#pragma once

#include <memory>
#include <string>

#include "platform/ScanDirectory.h"

namespace platform::posix {

class PosixScanDirectory : public ScanDirectory {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Null when the directory cannot be opened.
  static std::unique_ptr<PosixScanDirectory> Open(const std::string& directory);

  PosixScanDirectory(Key, int fd) : m_fd(fd) {}
  ~PosixScanDirectory() override;
  PosixScanDirectory(const PosixScanDirectory&) = delete;
  PosixScanDirectory& operator=(const PosixScanDirectory&) = delete;

  bool Read(ScanSink& sink) override;
  std::unique_ptr<ScanDirectory> OpenChild(std::string_view name) override;

 private:
  void Describe(const char* name, unsigned char type, ScanSink& sink) const;
  void DescribeLink(const char* name, ScanSink& sink) const;
  bool IsMountRoot(int childFd) const;

  int m_fd;
};

}  // namespace platform::posix
