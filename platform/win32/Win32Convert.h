// The system's structures in the program's terms: 64-bit sizes and file
// times from their high and low halves, entry flags from reparse tags,
// names in UTF-8.
#pragma once

#include "platform/win32/Win32Api.h"

#include <cstdint>
#include <cwchar>

#include "platform/FileSystem.h"
#include "platform/win32/Utf16.h"

namespace platform::win32 {

inline std::uint64_t Join(DWORD high, DWORD low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

inline FileTime ToFileTime(const FILETIME& t) { return FileTime{Join(t.dwHighDateTime, t.dwLowDateTime)}; }

inline FILETIME ToFILETIME(FileTime t) {
  FILETIME out;
  out.dwLowDateTime = static_cast<DWORD>(t.value & 0xFFFFFFFFu);
  out.dwHighDateTime = static_cast<DWORD>(t.value >> 32);
  return out;
}

// A directory that stands for another place and is not to be entered: a
// mount point, junction or symbolic link (tags with the name-surrogate
// bit), or a reparse point of a tag the system does not define (Wine
// reports Linux symbolic links to directories with tag 1). Directories
// behind the system's other tags, such as cloud placeholders, hold their
// own files and are entered.
inline bool IsSurrogateDirectory(DWORD attributes, DWORD reparseTag) {
  constexpr DWORD kMicrosoftTag = 0x80000000;
  constexpr DWORD kNameSurrogate = 0x20000000;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  return (reparseTag & kNameSurrogate) || !(reparseTag & kMicrosoftTag);
}

// The attribute word is passed on as the system gives it; its bits are the
// program's own.
inline void FillFindData(const WIN32_FIND_DATAW& in, FindData& out) {
  out.name = Narrow(in.cFileName, ::wcsnlen(in.cFileName, MAX_PATH));
  out.attributes = in.dwFileAttributes;
  out.size = Join(in.nFileSizeHigh, in.nFileSizeLow);
  out.creation = ToFileTime(in.ftCreationTime);
  out.lastAccess = ToFileTime(in.ftLastAccessTime);
  out.lastWrite = ToFileTime(in.ftLastWriteTime);
  out.flags = IsSurrogateDirectory(in.dwFileAttributes, in.dwReserved0) ? std::uint32_t{kEntryMountRoot} : 0u;
}

}  // namespace platform::win32
