// Pane 0 of the main window's status bar, as long work and the views write
// into it: what is waited for, the directory a scan reads. Texts are the
// program's bytes (paths as the file system gives them); the pane shows
// what is not UTF-8 with a replacement character. The frame hands itself
// to whoever needs it.
#pragma once

#include <string>
#include <string_view>

namespace fw {

class StatusPane {
 public:
  // immediate shows the text at once, not at the next repaint.
  virtual void SetMessageText(std::string_view text, bool immediate = false) = 0;
  virtual std::string MessageText() const = 0;

 protected:
  ~StatusPane() = default;
};

}  // namespace fw
