// A runner whose user gives up at once: the work never runs.
#pragma once

#include "framework/JobRunner.h"

namespace test_support {

class GivingUp : public fw::JobRunner {
 public:
  bool Run(const std::shared_ptr<platform::Job>& job, std::function<void()>) override {
    job->GiveUp();
    job->End();
    return false;
  }
};

}  // namespace test_support
