// Writing a file the user named, on Windows, by its UTF-8 path (long
// paths included, through SystemPath).
#include "platform/win32/Win32Api.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/FileReplace.h"
#include "platform/Job.h"
#include "platform/win32/SystemPath.h"
#include "platform/win32/Utf16.h"

namespace platform {

namespace {

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EBUSY;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_INVALID_NAME: return EINVAL;
    default: return EIO;
  }
}

int LastErrno() { return ErrnoOf(::GetLastError()); }

// The file systems of Windows hold names of at most 255 UTF-16 units; a
// longer one is refused for what it is, not for a folder that seems to be
// missing, which is what a call with a long path reports.
bool HasOverlongName(const std::string& path) {
  constexpr std::size_t kMostUnits = 255;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    if (win32::Widen(std::string_view(path).substr(start, end - start)).size() > kMostUnits) return true;
    start = end + 1;
  }
  return false;
}

// Writes every byte, flushes and closes file in every case.
int WriteAndClose(HANDLE file, std::string_view bytes) {
  int error = 0;
  for (std::size_t done = 0; done < bytes.size() && error == 0;) {
    const std::size_t chunk = bytes.size() - done < (1u << 30) ? bytes.size() - done : (1u << 30);
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, static_cast<DWORD>(chunk), &written, nullptr)) {
      error = LastErrno();
    } else if (written == 0) {
      error = EIO;
    }
    done += written;
  }
  if (error == 0 && !::FlushFileBuffers(file)) error = LastErrno();
  if (!::CloseHandle(file) && error == 0) error = LastErrno();
  return error;
}

HANDLE Create(const std::string& path, DWORD disposition) {
  return ::CreateFileW(win32::SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

int WriteOpened(const std::string& path, DWORD disposition, std::string_view bytes) {
  const HANDLE file = Create(path, disposition);
  if (file == INVALID_HANDLE_VALUE) return LastErrno();
  const int error = WriteAndClose(file, bytes);
  if (error != 0 && disposition == CREATE_NEW) ::DeleteFileW(win32::SystemPath(path).c_str());
  return error;
}

// Creates a file of a name nobody uses in target's folder and returns its
// path; empty, with the system's error in failure, when the folder takes
// none. (GetTempFileName would stop at MAX_PATH.)
std::string NewFileBeside(const std::string& target, HANDLE& file, DWORD& failure) {
  static std::atomic<unsigned> made{0};
  const std::size_t cut = target.find_last_of("\\/:");
  const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "~klb%lx-%x.tmp", ::GetCurrentProcessId(), made++);
    std::string temp = folder + name;
    file = Create(temp, CREATE_NEW);
    if (file != INVALID_HANDLE_VALUE) return temp;
    failure = ::GetLastError();
    if (failure != ERROR_FILE_EXISTS && failure != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

// The new contents go to a new file beside the target, which replaces the
// target once complete; a folder that takes no new entries gets the target
// written in place.
int Replace(const std::string& target, DWORD attributes, std::string_view bytes) {
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD failure = 0;
  const std::string temp = NewFileBeside(target, file, failure);
  if (temp.empty()) {
    const int error = ErrnoOf(failure);
    return error == EACCES ? WriteOpened(target, TRUNCATE_EXISTING, bytes) : error;
  }
  const std::wstring tempPath = win32::SystemPath(temp);
  int error = WriteAndClose(file, bytes);
  if (error == 0) ::SetFileAttributesW(tempPath.c_str(), attributes & ~FILE_ATTRIBUTE_REPARSE_POINT);
  if (error == 0 && !::MoveFileExW(tempPath.c_str(), win32::SystemPath(target).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastErrno();
  }
  if (error != 0) ::DeleteFileW(tempPath.c_str());
  return error;
}

}  // namespace

int WriteFileContents(Job& job, const std::string& path, std::string_view bytes) {
  if (path.empty()) return ENOENT;
  if (HasOverlongName(path)) return ENAMETOOLONG;
  const Touch touch(job, path);
  if (touch.Refused()) return ETIMEDOUT;
  const DWORD attributes = ::GetFileAttributesW(win32::SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return ErrnoOf(error);
    if (job.GivenUp()) return ECANCELED;
    return WriteOpened(path, CREATE_NEW, bytes);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  if (attributes & FILE_ATTRIBUTE_READONLY) return EACCES;
  if (job.GivenUp()) return ECANCELED;  // the user stopped waiting: the file stays as it was
  // A link: the file it names is written, or created when it is missing.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return WriteOpened(path, CREATE_ALWAYS, bytes);
  return Replace(path, attributes, bytes);
}

}  // namespace platform
