#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/FileReplace.h"
#include "platform/Job.h"

namespace platform {

namespace {

// The kernel's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The contents of the symbolic link at path.
int ReadLink(const std::string& path, std::string& target) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) < buffer.size()) {
      target.assign(buffer.data(), static_cast<std::size_t>(n));
      return 0;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// Follows path through symbolic links to the file they name. exists is
// false when that name is free (a dangling link names a file to create).
int ResolveLinks(const std::string& path, std::string& target, struct stat& info, bool& exists) {
  target = path;
  for (int followed = 0; followed <= kMaxLinks; ++followed) {
    if (::lstat(target.c_str(), &info) != 0) {
      exists = false;
      return errno == ENOENT ? 0 : errno;
    }
    exists = true;
    if (!S_ISLNK(info.st_mode)) return 0;
    std::string link;
    if (const int error = ReadLink(target, link)) return error;
    target = !link.empty() && link.front() == '/' ? link : DirectoryOf(target) + "/" + link;
  }
  return ELOOP;
}

// Writes every byte, optionally syncs, and closes fd in every case.
int WriteAndClose(int fd, std::string_view bytes, bool sync) {
  int error = 0;
  for (std::size_t done = 0; done < bytes.size() && error == 0;) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n == 0 || errno != EINTR) {
      error = n == 0 ? EIO : errno;
    }
  }
  // Some file systems (network ones above all) report a failed write only
  // when the data reaches the disk.
  if (error == 0 && sync && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  return error;
}

int CreateNew(const std::string& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  const int error = WriteAndClose(fd, bytes, true);
  if (error != 0) ::unlink(target.c_str());
  return error;
}

// Truncates and writes the target itself. This road exists for the file the
// user may change in a folder that takes no new entries (no write
// permission on the folder, or an immutable one), and for targets that a
// replacement would cut off from the rest of the system: a file with further
// hard links, or one whose owner or group a new file cannot take over. The
// old contents are lost on a failure, so a regular file is not touched when
// the volume has visibly no room for the new contents.
int WriteInPlace(const std::string& target, const struct stat& info, std::string_view bytes) {
  const bool regular = S_ISREG(info.st_mode);
  // A FIFO without a reader must not block the export.
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | (regular ? 0 : O_NONBLOCK));
  if (fd < 0) return errno;
  if (!regular) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return WriteAndClose(fd, bytes, false);
  }
  struct statvfs volume {};
  if (::fstatvfs(fd, &volume) == 0) {
    const auto freeBlocks = ::geteuid() == 0 ? volume.f_bfree : volume.f_bavail;
    const unsigned long long room =
        static_cast<unsigned long long>(freeBlocks) * volume.f_frsize +
        static_cast<unsigned long long>(info.st_blocks) * 512u;
    if (bytes.size() > room) {
      ::close(fd);
      return ENOSPC;
    }
  }
  if (::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  return WriteAndClose(fd, bytes, true);
}

// Gives the new file the old one's owner, group and permission bits, in
// that order (a change of owner clears set-id bits). False when the system
// does not allow it for this user.
bool TakeOverIdentity(int fd, const struct stat& info) {
  if ((info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
      ::fchown(fd, info.st_uid, info.st_gid) != 0) {
    return false;
  }
  return ::fchmod(fd, info.st_mode & 07777) == 0;
}

int Replace(const Job& job, const std::string& target, const struct stat& info, std::string_view bytes) {
  std::string temp = DirectoryOf(target) + "/.kolbrin-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    return error == EACCES || error == EPERM ? WriteInPlace(target, info, bytes) : error;
  }
  if (!TakeOverIdentity(fd, info)) {
    ::close(fd);
    ::unlink(temp.c_str());
    return WriteInPlace(target, info, bytes);
  }
  int error = WriteAndClose(fd, bytes, true);
  if (error == 0 && job.GivenUp()) error = ECANCELED;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

}  // namespace

int WriteFileContents(Job& job, const std::string& path, std::string_view bytes) {
  if (path.empty()) return ENOENT;
  const Touch touch(job, path);
  if (touch.Refused()) return ETIMEDOUT;
  std::string target;
  struct stat info {};
  bool exists = false;
  if (const int error = ResolveLinks(path, target, info, exists)) return error;
  if (!exists) return job.GivenUp() ? ECANCELED : CreateNew(target, bytes);
  if (S_ISDIR(info.st_mode)) return EISDIR;
  // As the system decides for this user: permission bits, access lists,
  // immutable files, read-only volumes.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  if (job.GivenUp()) return ECANCELED;  // the user stopped waiting: the file stays as it was
  if (!S_ISREG(info.st_mode) || info.st_nlink > 1) return WriteInPlace(target, info, bytes);
  return Replace(job, target, info, bytes);
}

}  // namespace platform
