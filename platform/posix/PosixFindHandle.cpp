#include "platform/posix/PosixFindHandle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/posix/DirentRecord.h"
#include "platform/posix/LinkTarget.h"
#include "platform/posix/UnixTime.h"

namespace platform::posix {
namespace {

// Several hundred entries per system call, yet small enough that one
// buffer per level of a deep recursive scan stays affordable.
constexpr std::size_t kBufferSize = 32 * 1024;
// A large directory's names are read into ever larger buffers, up to this.
constexpr std::size_t kLargestBuffer = 1024 * 1024;

constexpr unsigned kFullMask =
    STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
constexpr int kNoFollow = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;


// The listing tells the kind only; permissions are not known, so the
// entry is not marked read-only.
unsigned ModeOfDirentType(unsigned char type) {
  switch (type) {
    case DT_DIR: return S_IFDIR | S_IWUSR;
    case DT_LNK: return S_IFLNK | S_IWUSR;
    case DT_CHR: return S_IFCHR | S_IWUSR;
    case DT_BLK: return S_IFBLK | S_IWUSR;
    case DT_FIFO: return S_IFIFO | S_IWUSR;
    case DT_SOCK: return S_IFSOCK | S_IWUSR;
    default: return S_IFREG | S_IWUSR;
  }
}

FileTime ToFileTime(const statx_timestamp& t) { return FileTimeFromUnix(t.tv_sec, t.tv_nsec); }

// Listing buffers are handed from one handle to the next: a recursive scan
// opens one directory after another, and fresh buffers would cost page
// faults each time.
class BufferPool {
 public:
  static BufferPool& Instance() {
    static BufferPool pool;
    return pool;
  }
  std::unique_ptr<std::byte[]> Take() {
    {
      std::lock_guard lock(m_mutex);
      if (!m_free.empty()) {
        auto buffer = std::move(m_free.back());
        m_free.pop_back();
        return buffer;
      }
    }
    return std::make_unique_for_overwrite<std::byte[]>(kBufferSize);
  }
  void Give(std::unique_ptr<std::byte[]> buffer) {
    constexpr std::size_t kKept = 8;
    std::lock_guard lock(m_mutex);
    if (buffer && m_free.size() < kKept) m_free.push_back(std::move(buffer));
  }

 private:
  std::mutex m_mutex;
  std::vector<std::unique_ptr<std::byte[]>> m_free;
};

}  // namespace

std::unique_ptr<PosixFindHandle> PosixFindHandle::Open(Job& job, const std::string& directory,
                                                       FindLevel level, const ListingOptions& options) {
  auto touch = std::make_unique<Touch>(job, directory);
  if (touch->Refused()) return nullptr;
  // O_DIRECTORY makes the open fail at once for a FIFO or device instead of
  // waiting for a writer; O_NONBLOCK is a second guard.
  UniqueFd fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.Valid()) return nullptr;
  auto handle =
      std::make_unique<PosixFindHandle>(Key{}, job, std::move(fd), level, std::move(touch), directory, options);
  // A listing that hangs from here on hangs in the mount the descriptor is
  // on, whatever links the path went through.
  handle->m_touch->Reached([raw = handle->m_fd.Get()] { return PathOfDescriptor(raw); });
  return handle;
}

bool PosixFindHandle::OnOtherDevice(unsigned major, unsigned minor) const {
  if (!m_ownDeviceKnown) {
    struct statx self {};
    if (::statx(m_fd.Get(), "", AT_EMPTY_PATH, STATX_TYPE, &self) != 0) return false;
    m_devMajor = self.stx_dev_major;
    m_devMinor = self.stx_dev_minor;
    m_ownDeviceKnown = true;
  }
  return major != m_devMajor || minor != m_devMinor;
}

PosixFindHandle::PosixFindHandle(Key, Job& job, UniqueFd fd, FindLevel level, std::unique_ptr<Touch> touch,
                                 std::string directory, const ListingOptions& options)
    : m_job(job),
      m_touch(std::move(touch)),
      m_directory(std::move(directory)),
      m_fd(std::move(fd)),
      m_level(level),
      m_buffer(BufferPool::Instance().Take()),
      m_bufferSize(kBufferSize),
      m_options(options) {}

PosixFindHandle::~PosixFindHandle() {
  m_crew.reset();  // its helpers are done with the descriptor
  m_touch.reset();
  m_fd.Reset();
  if (m_bufferSize == kBufferSize) BufferPool::Instance().Give(std::move(m_buffer));
}

// A directory that filled its buffer gets one twice as large for its next
// names. Each buffer's entries are looked at together, so a few large
// rounds keep a cold disk's queue full where many small ones would let it
// run dry at the end of each.
void PosixFindHandle::Grow() {
  if (m_used < m_bufferSize / 2 || m_bufferSize >= kLargestBuffer) return;
  try {
    auto larger = std::make_unique_for_overwrite<std::byte[]>(m_bufferSize * 2);
    if (m_bufferSize == kBufferSize) BufferPool::Instance().Give(std::move(m_buffer));
    m_buffer = std::move(larger);
    m_bufferSize *= 2;
  } catch (const std::bad_alloc&) {
    // the buffer it has does as well, only in more rounds
  }
}

bool PosixFindHandle::Refill() {
  Grow();
  const ssize_t n = ::getdents64(m_fd.Get(), m_buffer.get(), m_bufferSize);
  if (n <= 0) return false;
  m_used = static_cast<std::size_t>(n);
  m_pos = 0;
  return true;
}

bool PosixFindHandle::Next(FindData& out) {
  // Names and types come with the listing; only a listing that looks at
  // its entries has calls worth sharing.
  if (m_level != FindLevel::kNamesAndType) return NextDescribed(out);
  for (;;) {
    if (m_pos >= m_used && !Refill()) return false;
    const DirentRecord record = DirentRecord::At(m_buffer.get() + m_pos);
    if (record.length == 0) return false;
    m_pos += record.length;
    if (Describe(record.name, record.type, out)) return true;
  }
}

bool PosixFindHandle::NextDescribed(FindData& out) {
  try {
    for (;;) {
      while (m_nextDescribed < m_describedCount) {
        const Described& entry = m_described[m_nextDescribed++];
        if (entry.kept) {
          out = entry.data;  // a copy into out's room: the buffer keeps its own
          return true;
        }
      }
      if (!DescribeBuffer()) return false;
    }
  } catch (const std::bad_alloc&) {
    return false;  // out of memory ends the listing like an error; what was listed stands
  }
}

bool PosixFindHandle::DescribeBuffer() {
  // Fewer entries than this are looked at faster than threads are woken.
  constexpr std::size_t kShareFrom = 64;
  m_describedCount = m_nextDescribed = 0;
  if (m_job.GivenUp() || !Refill()) return false;
  m_records.clear();
  for (std::size_t pos = 0; pos < m_used;) {
    const DirentRecord record = DirentRecord::At(m_buffer.get() + pos);
    if (record.length == 0) break;
    pos += record.length;
    m_records.push_back(record);
  }
  m_pos = m_used;
  if (m_options.afterNames) m_options.afterNames();
  if (m_described.size() < m_records.size()) m_described.resize(m_records.size());
  const auto describe = [this](std::size_t i) {
    m_described[i].kept = Describe(m_records[i].name, m_records[i].type, m_described[i].data);
  };
  if (m_records.size() < kShareFrom) {
    for (std::size_t i = 0; i < m_records.size(); ++i) describe(i);
  } else {
    OnOtherDevice(0, 0);  // the listed directory's device is read once, before the threads ask
    if (!m_crew) m_crew = std::make_unique<WorkCrew>(m_options.threads);
    m_crew->Run(m_records.size(), describe, m_job.StopToken());
    if (m_job.GivenUp()) return false;  // some entries were not looked at
  }
  m_describedCount = m_records.size();
  return true;
}

bool PosixFindHandle::Describe(const char* name, unsigned char type, FindData& out) const {
  out.name.assign(name);
  out.size = 0;
  out.creation = out.lastAccess = out.lastWrite = FileTime{};
  out.flags = 0;
  if (IsDotName(name)) {
    out.attributes = kAttrDirectory | kAttrHidden;
    return true;
  }
  // A directory is not touched below the full level: it may be the root of
  // another mount, and that one may not answer.
  const bool full = m_level == FindLevel::kFull || type == DT_UNKNOWN ||
                    (m_level == FindLevel::kFiles && type != DT_DIR);
  if (full) return DescribeFull(name, type, out);
  out.attributes = AttributesOf(ModeOfDirentType(type), name, 0);
  if (type == DT_LNK) DescribeDirectoryLink(name, out);
  return true;
}

void PosixFindHandle::DescribeDirectoryLink(const char* name, FindData& out) const {
  // Follows the link for its target's type only; an automount point behind
  // it is not triggered.
  struct statx target {};
  if (!StatLinkTarget(m_job, m_fd.Get(), m_directory, name, target) || !S_ISDIR(target.stx_mode)) return;
  out.attributes = (out.attributes & ~kAttrArchive) | kAttrDirectory | kAttrReparsePoint;
  out.size = 0;
  out.flags |= kEntryMountRoot;
}

bool PosixFindHandle::DescribeFull(const char* name, unsigned char type, FindData& out) const {
  struct statx st {};
  const unsigned mask = m_level != FindLevel::kNamesAndType ? kFullMask : STATX_TYPE | STATX_MODE;
  if (::statx(m_fd.Get(), name, kNoFollow, mask, &st) != 0) {
    if (errno == ENOENT) return false;  // removed since it was listed
    out.attributes = AttributesOf(ModeOfDirentType(type), name, 0);
    return true;
  }
  out.attributes = AttributesOf(st.stx_mode, name, st.stx_attributes);
  if (m_level == FindLevel::kNamesAndType) {
    if (S_ISLNK(st.stx_mode)) DescribeDirectoryLink(name, out);
    return true;
  }
  out.size = st.stx_size;
  out.lastWrite = ToFileTime(st.stx_mtime);
  out.lastAccess = ToFileTime(st.stx_atime);
  // Some file systems claim a birth time and report the epoch: not recorded.
  const bool hasBirth = (st.stx_mask & STATX_BTIME) != 0 &&
                        (st.stx_btime.tv_sec != 0 || st.stx_btime.tv_nsec != 0);
  if (hasBirth) out.creation = ToFileTime(st.stx_btime);
  if (S_ISLNK(st.stx_mode)) DescribeDirectoryLink(name, out);  // after the size: it clears it
  if (S_ISDIR(st.stx_mode)) {
    // Kernels before 5.8 do not report mount roots; a change of device tells.
    const bool mountRoot = (st.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
                               ? (st.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0
                               : OnOtherDevice(st.stx_dev_major, st.stx_dev_minor);
    if (mountRoot) out.flags |= kEntryMountRoot;
  }
  return true;
}

std::uint32_t PosixFindHandle::AttributesOf(unsigned mode, const char* name,
                                            std::uint64_t statxAttributes) {
  std::uint32_t attributes = 0;
  switch (mode & S_IFMT) {
    case S_IFDIR: attributes |= kAttrDirectory; break;
    case S_IFREG:
    case S_IFLNK: attributes |= kAttrArchive; break;
    case S_IFCHR:
    case S_IFBLK:
    case S_IFIFO:
    case S_IFSOCK: attributes |= kAttrSystem; break;
    default: break;
  }
  if (!(mode & S_IWUSR)) attributes |= kAttrReadOnly;
  if (name[0] == '.') attributes |= kAttrHidden;
  if (statxAttributes & STATX_ATTR_COMPRESSED) attributes |= kAttrCompressed;
  return attributes;
}

}  // namespace platform::posix
