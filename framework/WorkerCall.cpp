#include "framework/WorkerCall.h"

#include <system_error>
#include <thread>
#include <utility>

namespace fw {

namespace {

// Every job thread, counted so that the program can tell at its end
// whether one is still out (a drive that never answers).
struct Registry {
  std::mutex mutex;
  std::condition_variable changed;
  int running = 0;
};

Registry& Jobs() {
  // Never destroyed: a job given up may end after the program's statics.
  static auto* registry = new Registry;
  return *registry;
}

}  // namespace

CWorkerCall::CWorkerCall(std::function<void()> job) : m_shared(std::make_shared<Shared>()) {
  {
    std::lock_guard lock(Jobs().mutex);
    ++Jobs().running;
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
    Registry& jobs = Jobs();
    {
      std::lock_guard lock(jobs.mutex);
      --jobs.running;
    }
    jobs.changed.notify_all();
  };
  try {
    std::thread(run).detach();
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
  std::unique_lock lock(jobs.mutex);
  return jobs.changed.wait_for(lock, timeout, [&jobs] { return jobs.running == 0; });
}

}  // namespace fw
