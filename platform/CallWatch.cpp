#include "platform/CallWatch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>

#include "platform/FileSystem.h"
#include "platform/PathStyle.h"

namespace platform {

namespace {

// A job that was given up usually ends within moments (a cancelled scan
// finishes the directory it is in); a new call waits this long for its
// mount before it counts the mount as hung.
constexpr std::chrono::milliseconds kGrace{250};

// The mounts that hang, one entry per job holding each.
class HungMounts {
 public:
  static HungMounts& Instance() {
    static auto* mounts = new HungMounts;  // jobs may end after the statics
    return *mounts;
  }

  void Add(const std::string& mount) {
    std::lock_guard lock(m_mutex);
    m_mounts.push_back(mount);
    m_count = static_cast<int>(m_mounts.size());
  }

  void Remove(const std::string& mount) {
    {
      std::lock_guard lock(m_mutex);
      const auto it = std::find(m_mounts.begin(), m_mounts.end(), mount);
      if (it != m_mounts.end()) m_mounts.erase(it);
      m_count = static_cast<int>(m_mounts.size());
    }
    m_changed.notify_all();
  }

  bool Holds(std::string_view path, std::chrono::milliseconds grace) {
    if (m_count.load(std::memory_order_acquire) == 0) return false;
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, grace, [this, path] { return !HoldsLocked(path); });
  }

 private:
  bool HoldsLocked(std::string_view path) const {
    if (path.empty()) path = std::string_view(&kPathSeparator, 1);
    return std::any_of(m_mounts.begin(), m_mounts.end(), [path](const std::string& mount) {
      if (!path.starts_with(mount)) return false;
      return path.size() == mount.size() || mount.back() == kPathSeparator || path[mount.size()] == kPathSeparator;
    });
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<std::string> m_mounts;
  std::atomic<int> m_count{0};
};

thread_local CallWatch* t_watch = nullptr;

}  // namespace

CallWatch::Scope::Scope(CallWatch* watch) : m_previous(t_watch) { t_watch = watch; }
CallWatch::Scope::~Scope() { t_watch = m_previous; }

CallWatch* CallWatch::OfThisThread() { return t_watch; }

std::string CallWatch::LastPath() const {
  std::lock_guard lock(m_mutex);
  return m_last;
}

void CallWatch::MarkLocked(const std::string& path) {
  std::string mount = m_fs.MountOf(path);
  if (std::find(m_marked.begin(), m_marked.end(), mount) != m_marked.end()) return;
  HungMounts::Instance().Add(mount);
  m_marked.push_back(std::move(mount));
}

void CallWatch::GiveUp() {
  std::lock_guard lock(m_mutex);
  if (m_ended || m_gaveUp) return;
  m_gaveUp = true;
  for (const std::string& path : m_touching) MarkLocked(path);
}

void CallWatch::End() {
  std::lock_guard lock(m_mutex);
  m_ended = true;
  for (const std::string& mount : m_marked) HungMounts::Instance().Remove(mount);
  m_marked.clear();
}

void CallWatch::Enter(std::string_view path) {
  std::lock_guard lock(m_mutex);
  m_touching.emplace_back(path);
  m_last = path;
  if (m_gaveUp && !m_ended) MarkLocked(m_touching.back());
}

void CallWatch::Leave(std::string_view path) {
  std::lock_guard lock(m_mutex);
  const auto it = std::find(m_touching.rbegin(), m_touching.rend(), path);
  if (it != m_touching.rend()) m_touching.erase(std::next(it).base());
}

Touch::Touch(std::string_view path) : m_path(path) {
  if (HungMounts::Instance().Holds(path, kGrace)) {
    m_refused = true;
    return;
  }
  m_watch = t_watch;
  if (m_watch != nullptr) m_watch->Enter(m_path);
}

Touch::~Touch() {
  if (m_watch != nullptr) m_watch->Leave(m_path);
}

bool GivenUp() {
  if (t_watch == nullptr) return false;
  std::lock_guard lock(t_watch->m_mutex);
  return t_watch->m_gaveUp;
}

bool IsOnHungMount(std::string_view path) { return HungMounts::Instance().Holds(path, std::chrono::milliseconds(0)); }

}  // namespace platform
