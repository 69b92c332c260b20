#include "platform/posix/PosixScanDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>

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

// A scan keeps a quarter of the process's descriptors at most, so that the
// rest of the program (and other scans' walkers) always find some.
int DescriptorBudget() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 256;
  return static_cast<int>(std::clamp<rlim_t>(limit.rlim_cur / 4, 16, 4096));
}

}  // namespace

struct PosixScanDirectory::Scan {
  Scan(Job& forJob, const std::string& top, MountPoints below, ScanHook scanHook)
      : job(forJob), touch(forJob, top), mounts(std::move(below)), hook(std::move(scanHook)) {}

  Job& job;
  // The whole scan stays on the mount of its top: while it lasts, that is
  // what it touches, for whoever waits on it and may give up.
  Touch touch;
  MountPoints mounts;
  ScanHook hook;
  std::atomic<int> open{0};
  const int budget = DescriptorBudget();
};

std::unique_ptr<PosixScanDirectory> PosixScanDirectory::Open(Job& job, const std::string& directory,
                                                             MountPoints mounts, const ScanHook& hook) {
  auto scan = std::make_shared<Scan>(job, directory, std::move(mounts), hook);
  if (scan->touch.Refused()) return nullptr;
  UniqueFd fd(::open(directory.c_str(), kOpenFlags));
  if (!fd.Valid()) return nullptr;
  if (scan->hook) scan->hook(ScanStep::kOpened, directory);
  auto top = std::make_unique<PosixScanDirectory>(scan, std::move(fd), directory);
  scan->touch.Reached([real = PathOfDescriptor(top->m_fd.Get())] { return real; });
  return top;
}

PosixScanDirectory::PosixScanDirectory(std::shared_ptr<Scan> scan, UniqueFd fd, std::string path)
    : m_scan(std::move(scan)), m_fd(std::move(fd)), m_path(std::move(path)) {
  ++m_scan->open;
  struct statx self {};
  if (::statx(m_fd.Get(), "", AT_EMPTY_PATH, STATX_TYPE, &self) == 0) {
    m_devMajor = self.stx_dev_major;
    m_devMinor = self.stx_dev_minor;
  }
}

PosixScanDirectory::~PosixScanDirectory() {
  if (m_fd.Valid()) --m_scan->open;
}

int PosixScanDirectory::OpenDescriptors() const { return m_scan->open.load(); }

std::string PosixScanDirectory::ChildPath(std::string_view name) const {
  std::string path = m_path;
  if (path.empty() || path.back() != '/') path += '/';
  path.append(name);
  return path;
}

bool PosixScanDirectory::Read(ScanSink& sink) {
  std::byte* buffer = ThreadBuffer();
  bool first = true;
  for (;;) {
    const ssize_t n = ::getdents64(m_fd.Get(), buffer, kBufferSize);
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

void PosixScanDirectory::DoneReading() {
  if (m_scan->open.load() <= m_scan->budget) return;
  m_fd.Reset();
  --m_scan->open;
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
  if (::statx(m_fd.Get(), name, kNoFollow, mask, &st) != 0) {
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
  if (StatLinkTarget(m_scan->job, m_fd.Get(), m_path, name, target) && S_ISDIR(target.stx_mode)) {
    sink.Directory(name, false);
    return;
  }
  struct statx self {};
  if (::statx(m_fd.Get(), name, kNoFollow, STATX_SIZE, &self) != 0) {
    if (errno != ENOENT) sink.File(0);
    return;
  }
  sink.File(self.stx_size);
}

std::unique_ptr<ScanDirectory> PosixScanDirectory::OpenChild(std::string_view name) {
  std::string path = ChildPath(name);
  const std::vector<std::string>* mounts = m_scan->mounts.get();
  if (mounts && std::binary_search(mounts->begin(), mounts->end(), path)) return nullptr;
  // From the parent's descriptor while it is open, else by the whole path:
  // below the top, every part of it was listed as a directory.
  UniqueFd fd(m_fd.Valid() ? ::openat(m_fd.Get(), std::string(name).c_str(), kOpenFlags | O_NOFOLLOW)
                           : ::open(path.c_str(), kOpenFlags | O_NOFOLLOW));
  if (!fd.Valid() || IsMountRoot(fd.Get())) return nullptr;
  if (m_scan->hook) m_scan->hook(ScanStep::kOpened, name);
  return std::make_unique<PosixScanDirectory>(m_scan, std::move(fd), std::move(path));
}

bool PosixScanDirectory::IsMountRoot(int childFd) const {
  struct statx child {};
  if (::statx(childFd, "", AT_EMPTY_PATH, STATX_TYPE, &child) != 0) return false;
  if (child.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) {
    return (child.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
  }
  // Kernels before 5.8 do not tell; a change of device does.
  return child.stx_dev_major != m_devMajor || child.stx_dev_minor != m_devMinor;
}

}  // namespace platform::posix
