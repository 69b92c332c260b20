// What the export asks of the user interface: the record selection, the
// target file, and the component behind "Excel.Application". The program's
// own answers come from Qt dialogs; tests give their own.
#pragma once

#include <optional>
#include <string>

#include "framework/JobRunner.h"
#include "output/Workbook.h"

namespace output {

class ExportUi {
 public:
  virtual ~ExportUi() = default;

  // "Datensatzauswahl": true for the selected rows only, false for every
  // row; nothing when the user cancels.
  virtual std::optional<bool> AskSelection(int total, int selected) = 0;

  // The full path of the text file to write, asked for by a save dialog
  // that confirms before replacing a file; nothing when the user cancels.
  virtual std::optional<std::string> AskSaveFile() = 0;

  // The spreadsheet program behind "Export nach Excel ...".
  virtual Spreadsheet& Program() = 0;

  // Where the file is written, and how: on a worker while the window
  // waits, where a drive may stop answering; at once unless a user
  // interface says so.
  virtual platform::FileSystem& Files() = 0;
  virtual fw::JobRunner& Runner() { return fw::RunAtOnce(); }
};

}  // namespace output
