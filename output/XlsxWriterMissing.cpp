// The stand-in for a build without libxlsxwriter: the workbook component
// reports that it cannot be created.
#include "output/XlsxWriter.h"

#include "output/Automation.h"

namespace output {

bool XlsxWriterAvailable() { return false; }

std::string XlsxOutOfRangeDescription() { return "cell address out of range"; }

void WriteXlsxWorkbook(const XlsxSheet&, const std::filesystem::path&) {
  throw AutomationError("built without an xlsx writer", AutomationError::Kind::kUnavailable);
}

}  // namespace output
