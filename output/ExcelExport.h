// Export of a row list into a new workbook of the spreadsheet program: one
// row per export row, one cell per text, titles in row 1 with their columns
// 20 characters wide; the workbook is left open for the user.
#pragma once

#include "output/ExportRows.h"
#include "output/Workbook.h"

namespace output {

inline constexpr int kTitleColumnWidth = 20;

// When no workbook can be had, shows "Excel kann nicht ausgeführt werden."
// A call that fails stops the export: the user sees the failure's
// description, or that message when the program itself gave up. True when
// the workbook was shown.
bool ExportToExcel(const ExportRows& rows, Spreadsheet& program);

}  // namespace output
