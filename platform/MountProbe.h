// What the program may learn about mounts without waiting on one: which
// mount holds a path as written, where a path leads once its symbolic links
// are followed (from the links' own texts, never the targets' contents),
// and whether a mount answers one cheap call. Shared by the threads that
// decide whether a drive has stopped answering, so it holds no reference
// to its file system object.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

class MountProbe {
 public:
  virtual ~MountProbe() = default;

  // The mount point (or drive root) whose file system holds path as
  // written; by default the root.
  virtual std::string MountOf(std::string_view path) const;

  // path with every symbolic link on the way replaced by what it names,
  // chains and relative targets included. enter is asked before each
  // directory is looked into; when it says no, the rest of the path is
  // taken as written. By default the path as it is: no links known.
  virtual std::string ResolveLinks(std::string_view path,
                                   const std::function<bool(const std::string& directory)>& enter) const;

  // One cheap call to the mount (its volume figures); may block while the
  // mount does not answer. By default every mount answers.
  virtual bool Answers(const std::string& mount) const;
};

}  // namespace platform
