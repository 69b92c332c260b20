// One record of a getdents64 buffer. Fields are read by offset: a record is
// shorter than struct dirent64, which must not be read whole.
#pragma once

#include <dirent.h>

#include <cstddef>
#include <cstring>

namespace platform::posix {

struct DirentRecord {
  const char* name = nullptr;
  unsigned char type = DT_UNKNOWN;
  unsigned short length = 0;  // 0: a broken buffer, read no further

  static DirentRecord At(const std::byte* record) {
    DirentRecord r;
    std::memcpy(&r.length, record + offsetof(struct dirent64, d_reclen), sizeof r.length);
    r.type = static_cast<unsigned char>(record[offsetof(struct dirent64, d_type)]);
    r.name = reinterpret_cast<const char*>(record + offsetof(struct dirent64, d_name));
    return r;
  }
};

// "." and "..", which the listings report themselves or skip.
inline bool IsDotName(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace platform::posix
