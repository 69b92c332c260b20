#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/UserFolders.h"

namespace platform {

std::filesystem::path UserHomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr) return {};
  return found->pw_dir;
}

std::filesystem::path UserCacheFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/') return cache;
  const std::filesystem::path home = UserHomeFolder();
  return home.empty() ? home : home / ".cache";
}

}  // namespace platform
