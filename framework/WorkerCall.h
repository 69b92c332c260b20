// A job run on a thread of its own while the caller waits for it. The
// caller may give up waiting: the job is then asked to stop and left to end
// on its own, so it must own everything it touches (capture shared state,
// never the caller's locals) and must not reach back into the caller.
//
//   auto state = std::make_shared<State>();
//   fw::CWorkerCall call([state] { state->result = Read(state->path); });
//   if (call.WaitFor(std::chrono::seconds(1))) Use(state->result);
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace fw {

class CWorkerCall {
 public:
  // Starts job at once. cancel, when given, is how the job is asked to stop
  // early; it is called from the waiting thread.
  explicit CWorkerCall(std::function<void()> job, std::function<void()> cancel = {});
  // Gives the job up if it has not ended.
  ~CWorkerCall();
  CWorkerCall(const CWorkerCall&) = delete;
  CWorkerCall& operator=(const CWorkerCall&) = delete;

  // True once the job has ended; waits at most timeout for it.
  bool WaitFor(std::chrono::milliseconds timeout);
  bool Done() const;
  // Asks the job to stop early; the caller still waits or gives up.
  void Cancel();

  // Jobs whose thread has not ended yet, given up ones included.
  static int Running();
  // Waits until every job has ended or timeout has passed; true when none runs.
  static bool WaitForAll(std::chrono::milliseconds timeout);

 private:
  struct Shared {
    mutable std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
  };

  std::shared_ptr<Shared> m_shared;
  std::function<void()> m_cancel;
  bool m_cancelled = false;
};

}  // namespace fw
