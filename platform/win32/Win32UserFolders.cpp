#include <cstdlib>

#include "platform/UserFolders.h"

namespace platform {

std::filesystem::path UserHomeFolder() {
  const char* profile = std::getenv("USERPROFILE");
  return profile != nullptr ? std::filesystem::path(profile) : std::filesystem::path();
}

std::filesystem::path UserCacheFolder() {
  const char* local = std::getenv("LOCALAPPDATA");
  return local != nullptr ? std::filesystem::path(local) : std::filesystem::path();
}

}  // namespace platform
