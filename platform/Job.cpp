#include "platform/Job.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace platform {

Job::Job(FileSystem& fs) : Job(fs.Stuck()) {}

Job::Job(std::shared_ptr<StuckMounts> stuck) : m_stuck(std::move(stuck)), m_owner(m_stuck->NewOwner()) {}

Job::~Job() { End(); }

void Job::GiveUp() {
  struct Stuck {
    std::string path;
    bool reached;  // the real path of what the call got into
  };
  std::vector<Stuck> stuck;
  {
    std::lock_guard lock(m_mutex);
    if (m_ended || m_gaveUp) return;
    m_gaveUp = true;
    for (const Call& call : m_calls) {
      stuck.push_back(call.reached ? Stuck{call.reached(), true} : Stuck{call.path, false});
    }
  }
  m_stop.request_stop();  // runs the work's stop callbacks, outside the lock
  for (Stuck& call : stuck) {
    if (call.reached) {
      m_stuck->Hold(m_stuck->Probe().MountOf(call.path), m_owner);
    } else {
      m_stuck->Suspect(std::move(call.path), m_owner);
    }
  }
}

void Job::End() {
  {
    std::lock_guard lock(m_mutex);
    if (m_ended) return;
    m_ended = true;
  }
  m_stuck->Release(m_owner);
}

std::string Job::LastPath() const {
  std::lock_guard lock(m_mutex);
  return m_last;
}

bool Job::Enter(const void* touch, std::string_view path) {
  if (GivenUp() || m_stuck->Refuses(path)) return false;
  std::lock_guard lock(m_mutex);
  if (m_gaveUp) return false;
  m_calls.push_back({touch, std::string(path), {}});
  m_last = path;
  return true;
}

void Job::Reached(const void* touch, std::function<std::string()> realPath) {
  std::lock_guard lock(m_mutex);
  const auto it = std::find_if(m_calls.begin(), m_calls.end(), [touch](const Call& c) { return c.touch == touch; });
  if (it != m_calls.end()) it->reached = std::move(realPath);
}

void Job::Leave(const void* touch) {
  std::lock_guard lock(m_mutex);
  const auto it = std::find_if(m_calls.rbegin(), m_calls.rend(), [touch](const Call& c) { return c.touch == touch; });
  if (it != m_calls.rend()) m_calls.erase(std::next(it).base());
}

Touch::Touch(Job& job, std::string_view path) : m_job(job), m_refused(!job.Enter(this, path)) {}

Touch::~Touch() {
  if (!m_refused) m_job.Leave(this);
}

void Touch::Reached(std::function<std::string()> realPath) {
  if (!m_refused) m_job.Reached(this, std::move(realPath));
}

}  // namespace platform
