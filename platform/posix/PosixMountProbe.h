// What Linux tells about mounts without waiting on one: the mount table for
// where a path lies, readlink for the symbolic links on its way, and one
// statfs to see whether a mount answers.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/MountProbe.h"
#include "platform/posix/MountTableSource.h"

namespace platform::posix {

class PosixMountProbe : public MountProbe {
 public:
  explicit PosixMountProbe(std::shared_ptr<MountTableSource> source) : m_source(std::move(source)) {}

  std::string MountOf(std::string_view path) const override;
  std::string ResolveLinks(std::string_view path,
                           const std::function<bool(const std::string& directory)>& enter) const override;
  bool Answers(const std::string& mount) const override;

  // ResolveLinks over any reader of link texts (empty: not a link), for
  // tests without a disk.
  static std::string Resolve(std::string_view path, const std::function<bool(const std::string&)>& enter,
                             const std::function<std::optional<std::string>(const std::string&)>& readLink);

 private:
  std::shared_ptr<MountTableSource> m_source;
};

}  // namespace platform::posix
