// The recursive directory size scan: one row per directory of a subtree,
// in visiting order (a directory before everything beneath it, children in
// the order the file system lists them), with the sums of sizes and counts.
// Needs no window: the list and the status text are reached through
// callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lists/DirRecord.h"

namespace platform {
class FileSystem;
}

namespace lists {

struct DirScanCallbacks {
  // Takes the record of the next row. May throw std::bad_alloc; the
  // directory then gets no row and is not counted, as when its record
  // cannot be made.
  std::function<void(std::unique_ptr<CDirRecord>)> insertRow;
  // The directory about to be entered (for the status bar); may be empty.
  std::function<void(const std::string& path)> enterDirectory;
  // Called before each record is made; a test throws std::bad_alloc here
  // to stand for an allocation that fails.
  std::function<void()> beforeAllocate;
};

class CDirScan {
 public:
  CDirScan(platform::FileSystem& fs, DirScanCallbacks callbacks);

  // Scans path and everything beneath it. A directory that cannot be
  // listed, or that is the root of another mounted file system, keeps a
  // row of zeros and is not counted by its parent. When a record cannot
  // be made the user is told ("nicht genug Speicher") and the scan goes
  // on. Returns the top directory's record, or null when it has none or
  // could not be listed.
  const CDirRecord* Run(std::string_view path);

 private:
  // One directory whose own entries have been read; its subdirectories
  // are visited one after the other.
  struct Child {
    std::string name;
    bool mountRoot = false;
  };
  struct Level {
    CDirRecord* record = nullptr;
    std::uint64_t ownSize = 0;
    std::uint32_t ownFiles = 0;
    std::uint32_t directSubdirs = 0;
    std::vector<Child> children;
    std::size_t next = 0;
  };

  CDirRecord* MakeRow(std::string path);
  bool Enter(std::string path, bool mountRoot);
  void Leave();

  platform::FileSystem& m_fs;
  DirScanCallbacks m_callbacks;
  // Levels of the directories being visited, top first. An explicit stack
  // rather than recursion: any depth fits, and no directory stays open
  // while its subdirectories are visited.
  std::vector<Level> m_levels;
};

}  // namespace lists
