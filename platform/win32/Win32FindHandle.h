// Directory enumeration on Windows: FindFirstFileExW / FindNextFileW /
// FindClose over a "<directory>\*.*" pattern, names in UTF-8. The system
// fills every field at once, so every level reports everything; the short
// 8.3 names are never asked for.
//
// Directories that are reparse points standing for another place (volume
// mount points, junctions, directory symbolic links) keep the system's
// attribute word (directory plus kAttrReparsePoint) and carry
// kEntryMountRoot: the tree opens them, a scan gives them a row of zeros
// and neither enters nor counts them, as on Linux, where mounts and links
// to directories are treated the same way. That also keeps a link back to
// an ancestor from making the scan endless.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FindHandle : public FindHandle {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Starts the listing of pattern (as SystemPath gives it) and fills first;
  // null when it cannot be started or lists nothing. largeFetch asks the
  // system for many entries at each call, which pays for a listing read to
  // its end, not for a probe that stops at its first subdirectory.
  static std::unique_ptr<Win32FindHandle> Open(const std::wstring& pattern, FindData& first, bool largeFetch);

  // Only Open makes handles; it takes over the search handle.
  Win32FindHandle(Key, void* handle);
  ~Win32FindHandle() override;
  Win32FindHandle(const Win32FindHandle&) = delete;
  Win32FindHandle& operator=(const Win32FindHandle&) = delete;

  bool Next(FindData& out) override;

 private:
  void* m_handle;
};

}  // namespace platform::win32
