#include "platform/posix/PosixScanDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace platform::posix {
namespace {

constexpr std::size_t kBufferSize = 32 * 1024;
constexpr int kNoFollow = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

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
      // Fields are read by offset: a record is shorter than struct dirent64.
      const std::byte* record = buffer + pos;
      unsigned short length = 0;
      std::memcpy(&length, record + offsetof(struct dirent64, d_reclen), sizeof length);
      if (length == 0) return true;
      pos += length;
      const auto type = static_cast<unsigned char>(record[offsetof(struct dirent64, d_type)]);
      const char* name = reinterpret_cast<const char*>(record + offsetof(struct dirent64, d_name));
      if (!IsDotName(name)) Describe(name, type, sink);
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
  if (FollowLink(name, target) && S_ISDIR(target.stx_mode)) {
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

// The type a link leads to, with the target named as touched: it may lie on
// another mount, and that one may not answer.
bool PosixScanDirectory::FollowLink(const char* name, struct statx& target) const {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlinkat(m_fd, name, buffer, sizeof buffer);
  std::string to = ChildPath(name);
  if (n > 0 && static_cast<std::size_t>(n) < sizeof buffer) {
    const std::string text(buffer, static_cast<std::size_t>(n));
    to = (text.front() == '/' ? std::filesystem::path(text) : std::filesystem::path(m_path) / text)
             .lexically_normal()
             .string();
  }
  const Touch touch(to);
  return !touch.Refused() && ::statx(m_fd, name, AT_NO_AUTOMOUNT, STATX_TYPE, &target) == 0;
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
