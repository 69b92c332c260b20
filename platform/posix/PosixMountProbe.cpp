#include "platform/posix/PosixMountProbe.h"

#include <sys/statfs.h>
#include <unistd.h>

#include <climits>
#include <deque>
#include <optional>

#include "platform/posix/MountTable.h"
#include "platform/posix/UniqueFd.h"

namespace platform::posix {

namespace {

// The kernel's own limit on links followed in one lookup.
constexpr int kMaxLinks = 40;

std::deque<std::string> Components(std::string_view path) {
  std::deque<std::string> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    if (!part.empty() && part != ".") parts.emplace_back(part);
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return parts;
}

std::string Join(const std::string& directory, const std::string& name) {
  return directory == "/" ? "/" + name : directory + "/" + name;
}

std::string Parent(const std::string& directory) {
  const std::size_t slash = directory.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : directory.substr(0, slash);
}

std::optional<std::string> ReadLink(const std::string& path) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

std::string PathOfDescriptor(int fd) {
  return ReadLink("/proc/self/fd/" + std::to_string(fd)).value_or(std::string());
}

std::string PosixMountProbe::MountOf(std::string_view path) const {
  const MountTable table(*m_source);
  const MountEntry* mount = table.Containing(path.empty() ? std::string_view("/") : path);
  return mount != nullptr ? mount->mountPoint : "/";
}

std::string PosixMountProbe::ResolveLinks(std::string_view path,
                                          const std::function<bool(const std::string&)>& enter) const {
  return Resolve(path, enter, ReadLink);
}

// Walks the path a component at a time as the kernel's lookup does: a link
// is replaced by its text (from the root when absolute, else from where it
// lies), ".." goes up from where the way really is.
std::string PosixMountProbe::Resolve(std::string_view path, const std::function<bool(const std::string&)>& enter,
                                     const std::function<std::optional<std::string>(const std::string&)>& readLink) {
  std::deque<std::string> rest = Components(path);
  std::string resolved = "/";
  int links = 0;
  while (!rest.empty()) {
    std::string name = std::move(rest.front());
    rest.pop_front();
    if (name == "..") {
      resolved = Parent(resolved);
      continue;
    }
    if (!enter(resolved)) {
      rest.push_front(std::move(name));
      break;
    }
    std::string next = Join(resolved, name);
    const std::optional<std::string> target = readLink(next);
    if (!target || target->empty() || ++links > kMaxLinks) {
      resolved = std::move(next);
      continue;
    }
    std::deque<std::string> way = Components(*target);
    rest.insert(rest.begin(), way.begin(), way.end());
    if (target->front() == '/') resolved = "/";
  }
  for (const std::string& name : rest) resolved = Join(resolved, name);
  return resolved;
}

bool PosixMountProbe::Answers(const std::string& mount) const {
  struct statfs figures {};
  ::statfs(mount.c_str(), &figures);
  return true;  // any answer, an error too, is an answer
}

}  // namespace platform::posix
