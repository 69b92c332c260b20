#include "framework/JobRunner.h"

namespace fw {

namespace {

class AtOnce : public JobRunner {
 public:
  bool Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) override {
    struct EndJob {
      platform::Job& job;
      ~EndJob() { job.End(); }
    } end{*job};
    work();
    return !job->GivenUp();
  }
};

}  // namespace

JobRunner& RunAtOnce() {
  static AtOnce atOnce;  // keeps no state
  return atOnce;
}

}  // namespace fw
