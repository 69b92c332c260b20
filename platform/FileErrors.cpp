#include "platform/FileErrors.h"

#include <cerrno>
#include <cstring>

namespace platform {

FileErrorCause ClassifyFileError(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return FileErrorCause::kPermission;
    case ENOENT:
    case ENOTDIR: return FileErrorCause::kNoFolder;
    case ENOSPC: return FileErrorCause::kNoSpace;
#ifdef EDQUOT
    case EDQUOT: return FileErrorCause::kQuota;
#endif
    case EROFS: return FileErrorCause::kReadOnlyVolume;
    case ENAMETOOLONG: return FileErrorCause::kNameTooLong;
    case EISDIR: return FileErrorCause::kIsFolder;
    case EIO: return FileErrorCause::kInputOutput;
    case EBUSY:
    case ETXTBSY: return FileErrorCause::kBusy;
    case EMFILE:
    case ENFILE: return FileErrorCause::kTooManyOpen;
    case ETIMEDOUT: return FileErrorCause::kNotAnswering;
    default: return FileErrorCause::kOther;
  }
}

std::string SystemErrorText(int error) {
  char buffer[256] = {};
#if defined(_WIN32)
  strerror_s(buffer, sizeof buffer, error);
  return buffer;
#elif defined(__GLIBC__) && defined(_GNU_SOURCE)
  return ::strerror_r(error, buffer, sizeof buffer);  // GNU: may return a static text
#else
  return ::strerror_r(error, buffer, sizeof buffer) == 0 ? buffer : "";
#endif
}

}  // namespace platform
