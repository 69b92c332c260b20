// Following a symbolic link in a listed directory for the type of what it
// leads to, with the target named as touched: it may lie on another mount,
// and that one may not answer.
#pragma once

#include <sys/stat.h>

#include <string>

namespace platform::posix {

// The path a link leads to: its target when absolute, else the target from
// the directory that lists it; the link's own path when it cannot be read.
std::string LinkTargetPath(int dirFd, const std::string& directory, const char* name);

// statx of the link's target (type only, no automount); false when it
// cannot be read or lies on a mount that does not answer.
bool StatLinkTarget(int dirFd, const std::string& directory, const char* name, struct statx& target);

}  // namespace platform::posix
