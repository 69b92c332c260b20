// Waiting on the user-interface thread for a job on a worker, with the
// window alive: it repaints, shows a wait cursor and what is being waited
// for, and Esc (or closing the main window) gives up. No other input
// reaches any window meanwhile, and no handler of a view runs, so nothing
// that is on the stack of the waiting call can change or go away.
#pragma once

#include <QString>
#include <functional>

namespace fw {
class CWorkerCall;
}

namespace fw::ui {

class StatusSink;

struct WaitOptions {
  // What pane 0 shows while the job runs, asked for every tenth of a
  // second. Without it pane 0 names what subject gives (the path waited
  // for) once two seconds have passed.
  std::function<QString()> progress;
  std::function<QString()> subject;
  // The wait cursor from the start instead of after a short moment.
  bool cursorAtOnce = false;
};

class CModalWait {
 public:
  // True when the job ended and the user did not give up. A job that ends
  // within a short moment is never noticed.
  static bool Run(CWorkerCall& call, const WaitOptions& options, StatusSink* status);

  // Whether a wait is in progress on this thread.
  static bool Active();
};

}  // namespace fw::ui
