#include "framework/JobRunner.h"

#include <chrono>

#include "framework/WaitPlan.h"
#include "framework/WorkerCall.h"

namespace fw {

namespace {

struct EndJob {
  platform::Job& job;
  ~EndJob() { job.End(); }
};

class AtOnce : public JobRunner {
 public:
  bool Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) override {
    const EndJob end{*job};
    work();
    return !job->GivenUp();
  }
};

}  // namespace

bool RunOnWorker(const std::shared_ptr<platform::Job>& job, std::function<void()> work, bool nested,
                 const std::function<bool(CWorkerCall& call)>& wait) {
  CWorkerCall call([job, work = std::move(work)] {
    const EndJob end{*job};
    work();
  });
  bool done = call.WaitFor(CWaitPlan::kQuiet);
  if (!done && nested) {
    while (!call.WaitFor(std::chrono::seconds(1))) {
    }
    done = true;
  }
  if (!done) done = wait(call);
  if (!done) return false;
  if (const std::exception_ptr failure = call.Failure()) std::rethrow_exception(failure);
  return true;
}

JobRunner& RunAtOnce() {
  static AtOnce atOnce;  // keeps no state
  return atOnce;
}

}  // namespace fw
