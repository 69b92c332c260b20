// Pane 0 of the main frame's status bar, as the views write into it. The
// frame hands itself to the views that need it.
#pragma once

#include <QString>

namespace fw::qt {

class StatusSink {
 public:
  // immediate repaints the pane at once.
  virtual void SetMessageText(const QString& text, bool immediate = false) = 0;
  virtual QString MessageText() const = 0;

 protected:
  ~StatusSink() = default;
};

}  // namespace fw::qt
