// Writing the whole contents of a file the user named.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class Job;

// Makes bytes the complete new contents of the file at path, and returns 0
// or the errno value of the failure.
// - A symbolic link is followed to the file it names, which is written (or,
//   for a dangling link, created); the link stays as it is.
// - A file this user may not change is not touched.
// - Where the system allows, the bytes go to a new file beside the target
//   that replaces it once complete and carries its permission bits, owner
//   and group; on any failure the old contents stay and nothing is left.
// - Otherwise the file is truncated and written in place.
// - Once job was given up, nothing more is changed (ECANCELED).
// Makes no call into the user interface and keeps no state, so it may run
// on any thread.
int WriteFileContents(Job& job, const std::string& path, std::string_view bytes);

}  // namespace platform
