// On Windows the workbook goes to the spreadsheet program through OLE
// automation (output/win32), not through a desktop program; these report
// that no desktop program is known.
#include <cerrno>

#include "platform/DesktopPrograms.h"
#include "platform/ProgramStart.h"

namespace platform {

std::optional<DesktopProgram> FindDefaultProgram(std::string_view) { return std::nullopt; }

std::vector<std::string> CommandLineFor(const DesktopProgram&, const std::vector<std::string>&,
                                        const std::string&) {
  return {};
}

std::unique_ptr<StartedProgram> StartProgram(const std::vector<std::string>&, int& error) {
  error = ENOSYS;
  return nullptr;
}

}  // namespace platform
