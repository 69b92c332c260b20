// What went wrong in a file operation, in the terms the program reports to
// the user, and the C library's own description of an error number.
#pragma once

#include <string>

namespace platform {

// The causes a user meets when writing a file; kOther for everything else.
enum class FileErrorCause {
  kOther,
  kPermission,
  kNoFolder,
  kNoSpace,
  kQuota,
  kReadOnlyVolume,
  kNameTooLong,
  kIsFolder,
  kInputOutput,
  kBusy,
  kTooManyOpen,
  kNotAnswering,  // the drive hangs in a call given up earlier
};

// The cause behind an errno value.
FileErrorCause ClassifyFileError(int error);

// The C library's description of an errno value; safe on any thread.
std::string SystemErrorText(int error);

}  // namespace platform
