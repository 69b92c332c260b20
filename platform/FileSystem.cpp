#include "platform/FileSystem.h"

namespace platform {

std::unique_ptr<ScanDirectory> FileSystem::OpenScanDirectory(Job& job, const std::string& path, const ScanHook&) {
  return std::make_unique<PathScanDirectory>(*this, job, path);
}

bool FileSystem::CallingThreadTimes(ThreadTimes&) const { return false; }

std::shared_ptr<const MountProbe> FileSystem::Probe() {
  static const auto everythingAnswers = std::make_shared<const MountProbe>();
  return everythingAnswers;
}

std::shared_ptr<StuckMounts> FileSystem::Stuck() {
  std::call_once(m_stuckMade, [this] { m_stuck = StuckMounts::Make(Probe()); });
  return m_stuck;
}

std::string MountProbe::MountOf(std::string_view) const { return std::string(1, kPathSeparator); }

std::string MountProbe::ResolveLinks(std::string_view path, const std::function<bool(const std::string&)>&) const {
  return std::string(path);
}

bool MountProbe::Answers(const std::string&) const { return true; }

bool PathScanDirectory::Read(ScanSink& sink) {
  FindData data;
  auto handle = m_fs.FindFirst(m_job, m_path, data, FindLevel::kFull);
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
  return std::make_unique<PathScanDirectory>(m_fs, m_job, ChildPath(m_path, name));
}

}  // namespace platform
