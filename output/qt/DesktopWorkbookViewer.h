// Shows exported workbooks with the program the desktop opens .xlsx files
// with, started on its own so that the window does not wait for it.
#pragma once

#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "output/WorkbookViewer.h"
#include "platform/DesktopPrograms.h"

namespace output {

inline constexpr const char* kWorkbookMimeType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

class CDesktopWorkbookViewer : public WorkbookViewer {
 public:
  bool Find() override;

  // A program that ends with a failure soon after its start did not start:
  // the user then sees "Excel kann nicht ausgeführt werden." and the
  // workbook is removed.
  bool Show(const std::filesystem::path& path) override;

  // The command line that gives the user the workbook at path as a new
  // document: LibreOffice Calc makes a new untitled document from it (it
  // takes the file as a template), any other program opens the file.
  static std::vector<std::string> CommandLine(const platform::DesktopProgram& program,
                                              const std::string& path);

 private:
  std::optional<platform::DesktopProgram> m_program;
  QObject m_watches;  // parent of the watches over started programs
};

}  // namespace output
