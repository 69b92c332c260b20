// How long work is carried out: at once on the calling thread (tests, and
// what the widget-free code does by default), or on a worker while the
// window waits for it, alive, and the user may give up waiting.
//
//   auto job = std::make_shared<platform::Job>(fs);
//   auto rows = std::make_shared<Rows>();
//   if (runner.Run(job, [job, rows, fs] { rows->Read(*fs, *job); })) Show(*rows);
#pragma once

#include <functional>
#include <memory>

#include "platform/Job.h"

namespace fw {

class JobRunner {
 public:
  virtual ~JobRunner() = default;

  // Runs work, which does job, and ends job when the work has ended. True
  // when the work ran to its end and the user did not give up; false when
  // the user gave up: the work then goes on to its own end, so it must own
  // everything it touches (job included) and hand its results over through
  // state it shares. What the work threw is thrown here.
  virtual bool Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) = 0;
};

// Runs work at once on the calling thread; nobody can give up.
JobRunner& RunAtOnce();

class CWorkerCall;

// What every runner that waits with the window alive does: work runs on a
// worker and ends job when it ends; work that ends within a short moment
// is never noticed; a wait inside a wait (nested) cannot come from the user
// and just blocks; otherwise wait(call) waits with the window alive and
// says whether the work ran to its end without the user giving up. What the
// work threw is thrown here.
bool RunOnWorker(const std::shared_ptr<platform::Job>& job, std::function<void()> work, bool nested,
                 const std::function<bool(CWorkerCall& call)>& wait);

}  // namespace fw
