// A job run on a thread of its own while the caller waits for it. The
// caller may stop waiting: the job is then left to end on its own, so it
// must own everything it touches (capture shared state, never the caller's
// locals) and must not reach back into the caller.
//
//   auto state = std::make_shared<State>();
//   fw::CWorkerCall call([state] { state->result = Read(state->path); });
//   if (call.WaitFor(std::chrono::seconds(1))) Use(state->result);
#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace fw {

class CWorkerCall {
 public:
  // Starts job at once.
  explicit CWorkerCall(std::function<void()> job);
  CWorkerCall(const CWorkerCall&) = delete;
  CWorkerCall& operator=(const CWorkerCall&) = delete;

  // True once the job has ended; waits at most timeout for it.
  bool WaitFor(std::chrono::milliseconds timeout);
  bool Done() const;
  // What the job threw, once it has ended; null when it threw nothing.
  std::exception_ptr Failure() const;

  // Jobs whose thread has not ended yet, those nobody waits for included.
  static int Running();
  // Waits until every job has ended or timeout has passed; true when none runs.
  static bool WaitForAll(std::chrono::milliseconds timeout);

 private:
  struct Shared {
    mutable std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr failure;
  };

  std::shared_ptr<Shared> m_shared;
};

}  // namespace fw
