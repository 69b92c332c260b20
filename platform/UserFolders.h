// Folders the system keeps for the user.
#pragma once

#include <filesystem>

namespace platform {

// The user's home folder; empty when the system names none.
std::filesystem::path UserHomeFolder();

// Where programs keep the user's files that can be made again: the user's
// cache folder. Empty when the system names none.
std::filesystem::path UserCacheFolder();

}  // namespace platform
