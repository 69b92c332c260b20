// Cold runs: the page cache, dentries and inodes dropped before each one,
// so that every contender reads the disk. Needs root; without it a cold
// benchmark says so and measures nothing.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"

namespace bench {

inline bool CanDropCaches() { return ::geteuid() == 0 && ::access("/proc/sys/vm/drop_caches", W_OK) == 0; }

// Drops the caches, then reads the tools' own programs and libraries back
// (their --version), so that a tool pays for reading the tree, as the
// program does, and not for loading itself.
inline bool DropCaches(const std::vector<std::vector<std::string>>& tools = {}) {
  ::sync();
  std::FILE* f = std::fopen("/proc/sys/vm/drop_caches", "w");
  if (f == nullptr) return false;
  const bool ok = std::fputs("3\n", f) >= 0;
  if (std::fclose(f) != 0 || !ok) return false;
  for (const auto& tool : tools) TimeTool({tool[0], "--version"});
  return true;
}

}  // namespace bench
