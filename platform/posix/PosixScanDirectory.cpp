#include "platform/posix/PosixScanDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <mutex>

#include "platform/posix/DirentRecord.h"
#include "platform/posix/LinkTarget.h"

namespace platform::posix {
namespace {

constexpr std::size_t kBufferSize = 32 * 1024;
constexpr int kNoFollow = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;


// Each scanning thread lists into a buffer of its own.
std::byte* ThreadBuffer() {
  thread_local std::unique_ptr<std::byte[]> buffer = std::make_unique_for_overwrite<std::byte[]>(kBufferSize);
  return buffer.get();
}

// A parent's descriptor stays open until its last subdirectory is opened,
// so a deep tree holds one descriptor per level it is in: allow as many as
// the system lets the process have.
void RaiseDescriptorLimit() {
  static std::once_flag once;
  std::call_once(once, [] {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
      limit.rlim_cur = limit.rlim_max;
      ::setrlimit(RLIMIT_NOFILE, &limit);
    }
  });
}

}  // namespace

std::unique_ptr<PosixScanDirectory> PosixScanDirectory::Open(const std::string& directory,
                                                             MountPoints mounts) {
  RaiseDescriptorLimit();
  const Touch touch(directory);
  if (touch.Refused()) return nullptr;
  const int fd = ::open(directory.c_str(), kOpenFlags);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixScanDirectory>(Key{}, fd, directory, std::move(mounts));
}

std::string PosixScanDirectory::ChildPath(std::string_view name) const {
  std::string path = m_path;
  if (path.empty() || path.back() != '/') path += '/';
  path.append(name);
  return path;
}

PosixScanDirectory::~PosixScanDirectory() { ::close(m_fd); }

bool PosixScanDirectory::Read(ScanSink& sink) {
  std::byte* buffer = ThreadBuffer();
  bool first = true;
  for (;;) {
    const ssize_t n = ::getdents64(m_fd, buffer, kBufferSize);
    if (n < 0 && first) return false;
    if (n <= 0) return true;
    first = false;
    for (std::size_t pos = 0; pos < static_cast<std::size_t>(n);) {
      const DirentRecord record = DirentRecord::At(buffer + pos);
      if (record.length == 0) return true;
      pos += record.length;
      if (!IsDotName(record.name)) Describe(record.name, record.type, sink);
    }
    if (sink.Stopped()) return true;
  }
}

void PosixScanDirectory::Describe(const char* name, unsigned char type, ScanSink& sink) const {
  if (type == DT_DIR) {
    sink.Directory(name, true);
    return;
  }
  if (type == DT_LNK) {
    DescribeLink(name, sink);
    return;
  }
  struct statx st {};
  const unsigned mask = type == DT_UNKNOWN ? STATX_TYPE | STATX_SIZE : STATX_SIZE;
  if (::statx(m_fd, name, kNoFollow, mask, &st) != 0) {
    if (errno != ENOENT) sink.File(0);  // gone since it was listed: not counted
    return;
  }
  if (type == DT_UNKNOWN && S_ISDIR(st.stx_mode)) {
    sink.Directory(name, true);
  } else if (type == DT_UNKNOWN && S_ISLNK(st.stx_mode)) {
    DescribeLink(name, sink);
  } else {
    sink.File(st.stx_size);
  }
}

// A link to a directory is a directory the scan does not go into; any other
// link is a file of its own length.
void PosixScanDirectory::DescribeLink(const char* name, ScanSink& sink) const {
  struct statx target {};
  if (StatLinkTarget(m_fd, m_path, name, target) && S_ISDIR(target.stx_mode)) {
    sink.Directory(name, false);
    return;
  }
  struct statx self {};
  if (::statx(m_fd, name, kNoFollow, STATX_SIZE, &self) != 0) {
    if (errno != ENOENT) sink.File(0);
    return;
  }
  sink.File(self.stx_size);
}

std::unique_ptr<ScanDirectory> PosixScanDirectory::OpenChild(std::string_view name) {
  std::string path = ChildPath(name);
  if (m_mounts && std::binary_search(m_mounts->begin(), m_mounts->end(), path)) return nullptr;
  const std::string child(name);
  const int fd = ::openat(m_fd, child.c_str(), kOpenFlags | O_NOFOLLOW);
  if (fd < 0) return nullptr;
  if (IsMountRoot(fd)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixScanDirectory>(Key{}, fd, std::move(path), m_mounts);
}

bool PosixScanDirectory::IsMountRoot(int childFd) const {
  struct statx child {};
  if (::statx(childFd, "", AT_EMPTY_PATH, STATX_TYPE, &child) != 0) return false;
  if (child.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) {
    return (child.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
  }
  // Kernels before 5.8 do not tell; a change of device does.
  struct statx self {};
  if (::statx(m_fd, "", AT_EMPTY_PATH, STATX_TYPE, &self) != 0) return false;
  return child.stx_dev_major != self.stx_dev_major || child.stx_dev_minor != self.stx_dev_minor;
}

}  // namespace platform::posix
