#include "framework/WorkerCall.h"

#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace fw {

namespace {

// Every job thread, counted so that the program can tell at its end
// whether one is still out (a drive that never answers). A thread is
// joined once its job has ended, never detached: MinGW's thread library
// reuses a detached thread's record while the thread is still ending, and
// the thread made next may then never run.
struct Registry {
  std::mutex mutex;
  std::condition_variable changed;
  int running = 0;
  std::vector<std::pair<std::thread, std::function<bool()>>> threads;  // with whether its job ended
};

Registry& Jobs() {
  // Never destroyed: a job given up may end after the program's statics.
  static auto* registry = new Registry;
  return *registry;
}

// Joins the threads whose jobs have ended; each has only its last steps
// left to go.
void JoinEnded(Registry& jobs) {
  std::vector<std::thread> ended;
  {
    std::lock_guard lock(jobs.mutex);
    std::erase_if(jobs.threads, [&ended](auto& entry) {
      if (!entry.second()) return false;
      ended.push_back(std::move(entry.first));
      return true;
    });
  }
  for (std::thread& thread : ended) thread.join();
}

}  // namespace

CWorkerCall::CWorkerCall(std::function<void()> job) : m_shared(std::make_shared<Shared>()) {
  Registry& jobs = Jobs();
  JoinEnded(jobs);
  {
    std::lock_guard lock(jobs.mutex);
    ++jobs.running;
  }
  auto run = [shared = m_shared, job = std::move(job)]() mutable {
    std::exception_ptr failure;
    try {
      job();
    } catch (...) {
      failure = std::current_exception();  // kept for whoever reads the result
    }
    job = nullptr;  // what the job owns goes before anyone hears it ended
    {
      std::lock_guard lock(shared->mutex);
      shared->done = true;
      shared->failure = failure;
    }
    shared->ended.notify_all();
    Registry& all = Jobs();
    {
      std::lock_guard lock(all.mutex);
      --all.running;
    }
    all.changed.notify_all();
  };
  try {
    std::thread thread(run);
    std::lock_guard lock(jobs.mutex);
    jobs.threads.emplace_back(std::move(thread), [shared = m_shared] {
      std::lock_guard ended(shared->mutex);
      return shared->done;
    });
  } catch (const std::system_error&) {
    // No thread to be had: do the work here rather than not at all.
    run();
  }
}

bool CWorkerCall::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock lock(m_shared->mutex);
  return m_shared->ended.wait_for(lock, timeout, [this] { return m_shared->done; });
}

bool CWorkerCall::Done() const {
  std::lock_guard lock(m_shared->mutex);
  return m_shared->done;
}

std::exception_ptr CWorkerCall::Failure() const {
  std::lock_guard lock(m_shared->mutex);
  return m_shared->failure;
}

int CWorkerCall::Running() {
  std::lock_guard lock(Jobs().mutex);
  return Jobs().running;
}

bool CWorkerCall::WaitForAll(std::chrono::milliseconds timeout) {
  Registry& jobs = Jobs();
  bool none = false;
  {
    std::unique_lock lock(jobs.mutex);
    none = jobs.changed.wait_for(lock, timeout, [&jobs] { return jobs.running == 0; });
  }
  JoinEnded(jobs);  // nothing is left of them
  return none;
}

}  // namespace fw
