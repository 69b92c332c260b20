#include "platform/ScanDirectory.h"

#include "platform/FileSystem.h"
#include "platform/PathStyle.h"

namespace platform {

std::unique_ptr<ScanDirectory> FileSystem::OpenScanDirectory(const std::string& path) {
  return std::make_unique<PathScanDirectory>(*this, path);
}

std::string FileSystem::MountOf(std::string_view) { return std::string(1, kPathSeparator); }

bool PathScanDirectory::Read(ScanSink& sink) {
  FindData data;
  auto handle = m_fs.FindFirst(SearchPattern(m_path), data, FindLevel::kFull);
  if (!handle) return false;
  constexpr int kPollEvery = 1024;
  int sincePoll = 0;
  do {
    if (IsDotOrDotDot(data.name)) continue;
    if (data.attributes & kAttrDirectory) {
      // Another mount, or a link to a directory: not gone into.
      sink.Directory(data.name, (data.flags & kEntryMountRoot) == 0);
    } else {
      sink.File(data.size);
    }
    if (++sincePoll == kPollEvery) {
      sincePoll = 0;
      if (sink.Stopped()) break;
    }
  } while (handle->Next(data));
  return true;
}

std::unique_ptr<ScanDirectory> PathScanDirectory::OpenChild(std::string_view name) {
  return std::make_unique<PathScanDirectory>(m_fs, ChildPath(m_path, name));
}

}  // namespace platform
