#include "platform/posix/LinkTarget.h"

#include <fcntl.h>

#include "platform/Job.h"
#include "platform/PathStyle.h"

namespace platform::posix {

bool StatLinkTarget(Job& job, int dirFd, const std::string& directory, const char* name, struct statx& target) {
  const Touch touch(job, ChildPath(directory, name));
  return !touch.Refused() && ::statx(dirFd, name, AT_NO_AUTOMOUNT, STATX_TYPE, &target) == 0;
}

}  // namespace platform::posix
