// The spreadsheet program where there is no Excel to automate: a workbook
// is kept in memory while it is filled and, once complete, written as an
// .xlsx file into the workbook folder (PrepareWorkbookFolder) and handed
// to the viewer, the desktop's program for such files. The file is written
// as a job of the file system, waited for by the runner: the user's cache
// folder may lie on a drive that stops answering.
#pragma once

#include <memory>

#include "framework/JobRunner.h"
#include "output/Workbook.h"
#include "output/WorkbookViewer.h"

namespace platform {
class FileSystem;
}

namespace output {

class XlsxSpreadsheet : public Spreadsheet {
 public:
  // viewer, fs and runner must outlive the spreadsheet.
  XlsxSpreadsheet(WorkbookViewer& viewer, platform::FileSystem& fs, fw::JobRunner& runner)
      : m_viewer(viewer), m_fs(fs), m_runner(runner) {}

  // Null when the program was built without the xlsx writer, or when the
  // viewer finds no program to show the workbook with: nothing is written
  // then.
  std::unique_ptr<Workbook> NewWorkbook() override;

  // True when the program was built with the xlsx writer.
  static bool Available();

 private:
  WorkbookViewer& m_viewer;
  platform::FileSystem& m_fs;
  fw::JobRunner& m_runner;
};

}  // namespace output
