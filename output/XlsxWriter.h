// The writer of .xlsx files, chosen by the build: libxlsxwriter where it is
// installed, else a stand-in that makes the workbook component unavailable.
#pragma once

#include <filesystem>
#include <string>

#include "output/XlsxFile.h"

namespace output {

// True when the program was built with the xlsx writer.
bool XlsxWriterAvailable();

// The writer's description of a cell beyond the worksheet's limits.
std::string XlsxOutOfRangeDescription();

// Writes sheet, every cell as text, as the sheet "Tabelle1" into the new,
// empty file at path. Throws WorkbookError with the writer's description
// (kUnavailable without a writer); the caller removes the file then.
void WriteXlsxWorkbook(const XlsxSheet& sheet, const std::filesystem::path& path);

}  // namespace output
