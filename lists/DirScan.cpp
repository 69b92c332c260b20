#include "lists/DirScan.h"

#include <new>
#include <utility>

#include "framework/MessageBox.h"
#include "platform/FileSystem.h"
#include "platform/PathStyle.h"
#include "res/resource.h"

namespace lists {

CDirScan::CDirScan(platform::FileSystem& fs, DirScanCallbacks callbacks)
    : m_fs(fs), m_callbacks(std::move(callbacks)) {}

const CDirRecord* CDirScan::Run(std::string_view path) {
  m_levels.clear();
  if (!Enter(std::string(path), false)) return nullptr;
  const CDirRecord* top = m_levels.front().record;
  while (!m_levels.empty()) {
    Level& level = m_levels.back();
    if (level.next == level.children.size()) {
      Leave();
      continue;
    }
    Child& child = level.children[level.next++];
    const bool mountRoot = child.mountRoot;
    std::string childPath = platform::ChildPath(level.record->m_strDirPath, child.name);
    child.name = std::string();  // visited: give its memory back
    Enter(std::move(childPath), mountRoot);  // may grow m_levels: level is stale now
  }
  return top;
}

// The record and row of one directory; null, with the user told, when
// either cannot be made.
CDirRecord* CDirScan::MakeRow(std::string path) {
  try {
    if (m_callbacks.beforeAllocate) m_callbacks.beforeAllocate();
    auto record = std::make_unique<CDirRecord>();
    record->m_strDirPath = std::move(path);
    CDirRecord* row = record.get();
    m_callbacks.insertRow(std::move(record));
    return row;
  } catch (const std::bad_alloc&) {
    fw::AfxMessageBox(IDS_OUT_OF_MEMORY);
    return nullptr;
  }
}

// Makes the directory's row and reads its listing to the end: files are
// summed at once, subdirectories are kept for later visits, and the
// listing is closed before any of them is entered. False when the
// directory is not to be counted by its parent: no record, not listable,
// or the root of another mount, which is left alone.
bool CDirScan::Enter(std::string path, bool mountRoot) {
  if (m_callbacks.enterDirectory) m_callbacks.enterDirectory(path);
  CDirRecord* record = MakeRow(std::move(path));
  if (record == nullptr || mountRoot) return false;
  platform::FindData data;
  auto handle = m_fs.FindFirst(platform::SearchPattern(record->m_strDirPath), data,
                               platform::FindLevel::kFull);
  if (!handle) return false;
  Level level;
  level.record = record;
  do {
    if (platform::IsDotOrDotDot(data.name)) continue;
    if (data.attributes & platform::kAttrDirectory) {
      level.children.push_back({std::move(data.name), (data.flags & platform::kEntryMountRoot) != 0});
    } else {
      level.ownSize += data.size;
      ++level.ownFiles;
    }
  } while (handle->Next(data));  // an error ends the listing like its end
  handle.reset();
  m_levels.push_back(std::move(level));
  return true;
}

// Completes the innermost directory's figures and adds them to its parent.
void CDirScan::Leave() {
  const Level& level = m_levels.back();
  CDirRecord& r = *level.record;
  r.m_nTotalSize += level.ownSize;
  r.m_nTotalFiles += level.ownFiles;
  r.m_nSubdirs += level.directSubdirs;
  r.m_nOwnSize = level.ownSize;
  r.m_nOwnFiles = level.ownFiles;
  m_levels.pop_back();
  if (m_levels.empty()) return;
  Level& parent = m_levels.back();
  parent.record->m_nTotalSize += r.m_nTotalSize;
  parent.record->m_nTotalFiles += r.m_nTotalFiles;
  parent.record->m_nSubdirs += r.m_nSubdirs;
  ++parent.directSubdirs;
}

}  // namespace lists
