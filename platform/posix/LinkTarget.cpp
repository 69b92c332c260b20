#include "platform/posix/LinkTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "platform/CallWatch.h"

namespace platform::posix {

std::string LinkTargetPath(int dirFd, const std::string& directory, const char* name) {
  std::filesystem::path base(directory);
  char buffer[PATH_MAX];
  const ssize_t n = ::readlinkat(dirFd, name, buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return (base / name).lexically_normal().string();
  const std::string target(buffer, static_cast<std::size_t>(n));
  return (target.front() == '/' ? std::filesystem::path(target) : base / target).lexically_normal().string();
}

bool StatLinkTarget(int dirFd, const std::string& directory, const char* name, struct statx& target) {
  const Touch touch(LinkTargetPath(dirFd, directory, name));
  return !touch.Refused() && ::statx(dirFd, name, AT_NO_AUTOMOUNT, STATX_TYPE, &target) == 0;
}

}  // namespace platform::posix
