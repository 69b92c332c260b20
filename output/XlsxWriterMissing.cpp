// The stand-in for a build without libxlsxwriter: the workbook component
// reports that it cannot be created.
#include "output/XlsxWriter.h"

#include "framework/StringTable.h"
#include "output/Workbook.h"
#include "res/resource.h"

namespace output {

bool XlsxWriterAvailable() { return false; }

std::string XlsxOutOfRangeDescription() { return std::string(fw::LoadResString(IDS_XLSX_OUT_OF_RANGE)); }

void WriteXlsxWorkbook(const XlsxSheet&, const std::filesystem::path&) {
  throw WorkbookError("built without an xlsx writer", WorkbookError::Kind::kUnavailable);
}

}  // namespace output
