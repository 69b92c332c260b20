#include "framework/ui/WatchedWork.h"

#include <QScopeGuard>
#include <memory>

#include "framework/WorkerCall.h"
#include "framework/ui/Text.h"
#include "platform/CallWatch.h"

namespace fw::ui {

bool RunWatched(platform::FileSystem& fs, StatusSink* status, const std::function<void()>& work,
                WaitOptions options, std::function<void()> cancel) {
  auto watch = std::make_shared<platform::CallWatch>(fs);
  CWorkerCall call(
      [watch, work] {
        const auto ended = qScopeGuard([&watch] { watch->End(); });
        const platform::CallWatch::Scope scope(watch.get());
        work();
      },
      std::move(cancel));
  if (!options.subject) options.subject = [watch] { return DisplayText(watch->LastPath()); };
  const bool done = CModalWait::Run(call, options, status);
  if (!done) watch->GiveUp();
  return done;
}

fw::WorkRunner WatchedRunner(platform::FileSystem& fs, StatusSink* const* status) {
  return [&fs, status](const std::function<void()>& work) { return RunWatched(fs, *status, work); };
}

}  // namespace fw::ui
