// The component behind "Excel.Application" on systems without the
// spreadsheet program: it takes the calls of the export, and when the
// workbook is marked saved it writes a new .xlsx file and hands it to the
// program the desktop opens such files with.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "output/Automation.h"

namespace output {

class XlsxWorkbookServer : public AutomationServer {
 public:
  // Opens a written workbook for the user; false when nothing can open it.
  using Opener = std::function<bool(const std::string& path)>;

  // Workbooks go into directory; empty means $XDG_RUNTIME_DIR if set, else
  // the system's temporary directory.
  explicit XlsxWorkbookServer(Opener opener, std::filesystem::path directory = {});

  // The application object for "Excel.Application"; null for any other
  // identifier, or when the program was built without an xlsx writer.
  std::shared_ptr<IDispatchTarget> CreateDispatch(std::string_view progId) override;

  // True when the program was built with the xlsx writer.
  static bool Available();

 private:
  Opener m_opener;
  std::filesystem::path m_directory;
};

}  // namespace output
