// Following a symbolic link in a listed directory for the type of what it
// leads to, with the link named as touched by the job: it may lead onto
// another mount, and that one may not answer.
#pragma once

#include <sys/stat.h>

#include <string>

namespace platform {
class Job;
}

namespace platform::posix {

// statx of the link's target (type only, no automount); false when it
// cannot be read or leads into a mount that does not answer.
bool StatLinkTarget(Job& job, int dirFd, const std::string& directory, const char* name, struct statx& target);

}  // namespace platform::posix
