// File-system work that may hang on a drive that stops answering, carried
// out on a worker while the window waits for it (CModalWait): Esc or the
// main window's close box give up, and until the work ends the mounts it
// hangs on refuse new work at once.
#pragma once

#include <functional>

#include "framework/WorkRunner.h"
#include "framework/ui/ModalWait.h"

namespace platform {
class FileSystem;
}

namespace fw::ui {

class StatusSink;

// True when work ran to its end; false when the user gave up. cancel, when
// given, asks the work to stop early once the user gives up.
bool RunWatched(platform::FileSystem& fs, StatusSink* status, const std::function<void()>& work,
                WaitOptions options = {}, std::function<void()> cancel = {});

// RunWatched as a runner for the widget-free code. status may change later:
// it is read at each run.
fw::WorkRunner WatchedRunner(platform::FileSystem& fs, StatusSink* const* status);

}  // namespace fw::ui
