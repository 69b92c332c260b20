#include "output/FileErrorText.h"

#include <cerrno>

#include "framework/StringTable.h"
#include "platform/FileErrors.h"
#include "res/resource.h"

namespace output {

namespace {

res::Id DescriptionId(platform::FileErrorCause cause) {
  using Cause = platform::FileErrorCause;
  switch (cause) {
    case Cause::kPermission: return IDS_FILEERR_PERMISSION;
    case Cause::kNoFolder: return IDS_FILEERR_NO_FOLDER;
    case Cause::kNoSpace: return IDS_FILEERR_NO_SPACE;
    case Cause::kQuota: return IDS_FILEERR_QUOTA;
    case Cause::kReadOnlyVolume: return IDS_FILEERR_READ_ONLY_VOLUME;
    case Cause::kNameTooLong: return IDS_FILEERR_NAME_TOO_LONG;
    case Cause::kIsFolder: return IDS_FILEERR_IS_FOLDER;
    case Cause::kInputOutput: return IDS_FILEERR_IO;
    case Cause::kBusy: return IDS_FILEERR_BUSY;
    case Cause::kTooManyOpen: return IDS_FILEERR_TOO_MANY_OPEN;
    case Cause::kNotAnswering: return IDS_FILEERR_NOT_ANSWERING;
    case Cause::kOther: break;
  }
  return 0;
}

}  // namespace

std::string FileErrorDescription(int error) {
  // A name the file system does not take (on Windows: characters such as
  // '?' or '<'); the system's own text for it speaks of an argument.
  const res::Id id = error == EINVAL ? IDS_FILEERR_INVALID_NAME : DescriptionId(platform::ClassifyFileError(error));
  return id != 0 ? std::string(fw::LoadResString(id)) : platform::SystemErrorText(error);
}

}  // namespace output
