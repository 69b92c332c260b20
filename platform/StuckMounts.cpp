#include "platform/StuckMounts.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <system_error>

#include "platform/LooseThreads.h"
#include "platform/PathStyle.h"

namespace platform {

namespace {

bool OnMount(std::string_view path, const std::string& mount) {
  if (path.empty()) path = std::string_view(&kPathSeparator, 1);
  if (!path.starts_with(mount)) return false;
  return path.size() == mount.size() || mount.back() == kPathSeparator || path[mount.size()] == kPathSeparator;
}

// What one question asked on a thread of its own has found so far: the
// thread may block for good, so it owns this and the waiter only looks.
template <class T>
struct Answer {
  std::mutex mutex;
  std::condition_variable ready;
  std::optional<T> value;
  std::string reached;  // how far the question got
};

// Asks question on a thread of its own and waits at most limit for it.
// Empty when it did not answer in time (or no thread could be had).
template <class T>
std::shared_ptr<Answer<T>> AskWithin(std::chrono::milliseconds limit,
                                     std::function<T(Answer<T>&)> question) {
  auto answer = std::make_shared<Answer<T>>();
  try {
    loose::Start([answer, question = std::move(question)] {
      T value = question(*answer);
      {
        std::lock_guard lock(answer->mutex);
        answer->value = std::move(value);
      }
      answer->ready.notify_all();
    });
  } catch (const std::system_error&) {
    return answer;
  }
  std::unique_lock lock(answer->mutex);
  answer->ready.wait_for(lock, limit, [&answer] { return answer->value.has_value(); });
  return answer;
}

}  // namespace

std::shared_ptr<StuckMounts> StuckMounts::Make(std::shared_ptr<const MountProbe> probe,
                                               std::chrono::milliseconds step) {
  return std::shared_ptr<StuckMounts>(new StuckMounts(std::move(probe), step));
}

std::uint64_t StuckMounts::NewOwner() {
  std::lock_guard lock(m_mutex);
  return m_nextOwner++;
}

bool StuckMounts::HoldsLocked(std::string_view path) const {
  return std::any_of(m_held.begin(), m_held.end(),
                     [path](const auto& held) { return OnMount(path, held.first); });
}

bool StuckMounts::Holds(std::string_view path) const {
  std::lock_guard lock(m_mutex);
  return HoldsLocked(path);
}

// Follows path's links without looking into a held mount; runs on the
// thread that is about to make the call.
bool StuckMounts::LeadsIntoHeld(std::string_view path) {
  bool blocked = false;
  const std::string resolved = m_probe->ResolveLinks(path, [this, &blocked](const std::string& directory) {
    blocked = Holds(directory);
    return !blocked;
  });
  return blocked || Holds(resolved);
}

bool StuckMounts::Refuses(std::string_view path) {
  {
    std::unique_lock lock(m_mutex);
    if (m_held.empty() && m_pending == 0) return false;
    // A verdict may take two steps; a mount whose job ends is freed soon.
    m_changed.wait_for(lock, 2 * m_step + kGrace, [this] { return m_pending == 0; });
    const bool freed = m_changed.wait_for(lock, kGrace, [this, path] { return !HoldsLocked(path); });
    if (!freed) return true;
    if (m_held.empty()) return false;
  }
  return LeadsIntoHeld(path);
}

void StuckMounts::Add(const std::string& mount, std::uint64_t owner) {
  if (!m_givenUp.contains(owner)) return;  // ended meanwhile
  const std::pair<std::string, std::uint64_t> entry{mount, owner};
  if (std::find(m_held.begin(), m_held.end(), entry) == m_held.end()) m_held.push_back(entry);
}

void StuckMounts::Hold(const std::string& mount, std::uint64_t owner) {
  std::lock_guard lock(m_mutex);
  m_givenUp.insert(owner);
  Add(mount, owner);
}

void StuckMounts::Suspect(std::string path, std::uint64_t owner) {
  {
    std::lock_guard lock(m_mutex);
    m_givenUp.insert(owner);
    ++m_pending;
  }
  try {
    loose::Start([self = shared_from_this(), path = std::move(path), owner] { self->Decide(path, owner); });
  } catch (const std::system_error&) {
    std::lock_guard lock(m_mutex);
    --m_pending;  // undecided: nothing is held
  }
}

// The mount a stuck call leads into is the one its links end on, or the
// one whose directory the following of them hung in; it is held only when
// it does not answer a question about its volume either.
void StuckMounts::Decide(const std::string& path, std::uint64_t owner) {
  const std::shared_ptr<const MountProbe> probe = m_probe;
  const auto way = AskWithin<std::string>(m_step, [probe, path](Answer<std::string>& progress) {
    return probe->ResolveLinks(path, [&progress](const std::string& directory) {
      std::lock_guard lock(progress.mutex);
      progress.reached = directory;
      return true;
    });
  });
  std::string mount;
  {
    std::lock_guard lock(way->mutex);
    mount = probe->MountOf(way->value ? *way->value : way->reached.empty() ? path : way->reached);
  }
  const auto answered = AskWithin<bool>(m_step, [probe, mount](Answer<bool>&) { return probe->Answers(mount); });
  bool stuck = false;
  {
    std::lock_guard lock(answered->mutex);
    stuck = !answered->value.has_value();
  }
  {
    std::lock_guard lock(m_mutex);
    if (stuck) Add(mount, owner);
    --m_pending;
  }
  m_changed.notify_all();
}

void StuckMounts::Release(std::uint64_t owner) {
  {
    std::lock_guard lock(m_mutex);
    m_givenUp.erase(owner);
    std::erase_if(m_held, [owner](const auto& held) { return held.second == owner; });
  }
  m_changed.notify_all();
}

int StuckMounts::PendingVerdicts() const {
  std::lock_guard lock(m_mutex);
  return m_pending;
}

}  // namespace platform
