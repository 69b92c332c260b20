// The component behind "Excel.Application" on systems without the
// spreadsheet program: it takes the calls of the export, and when the
// workbook is marked saved it writes a new .xlsx file into the workbook
// folder (PrepareWorkbookFolder) and hands it to the viewer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "output/Automation.h"
#include "output/WorkbookViewer.h"

namespace output {

class XlsxWorkbookServer : public AutomationServer {
 public:
  // viewer must outlive the server.
  explicit XlsxWorkbookServer(WorkbookViewer& viewer) : m_viewer(viewer) {}

  // The application object for "Excel.Application"; null for any other
  // identifier, when the program was built without an xlsx writer, or when
  // the viewer finds no program to show the workbook with.
  std::shared_ptr<IDispatchTarget> CreateDispatch(std::string_view progId) override;

  // True when the program was built with the xlsx writer.
  static bool Available();

 private:
  WorkbookViewer& m_viewer;
};

}  // namespace output
