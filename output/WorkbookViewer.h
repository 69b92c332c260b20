// Where a finished workbook goes: the program the desktop opens workbooks
// with.
#pragma once

#include <filesystem>

namespace output {

class WorkbookViewer {
 public:
  virtual ~WorkbookViewer() = default;

  // Looks for the program; false when the desktop has none. Asked before
  // anything is written.
  virtual bool Find() = 0;

  // Hands the workbook at path to the program found last, without waiting
  // for it. False when it cannot be started; the caller then removes the
  // workbook. A start that fails a moment later is reported to the user by
  // the viewer, which then removes the workbook itself.
  virtual bool Show(const std::filesystem::path& path) = 0;
};

}  // namespace output
