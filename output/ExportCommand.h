// The export command shared by the two list panes: which rows, then a text
// file or a new spreadsheet workbook.
#pragma once

#include "output/ExportUi.h"

namespace output {

class CListContents;

inline constexpr int EXPORT_TO_FILE = 1;
inline constexpr int EXPORT_TO_EXCEL = 2;

// With rows selected, asks whether only those go; without, every row goes.
// EXPORT_TO_FILE then asks for the file and writes it to the full path
// chosen; EXPORT_TO_EXCEL fills a new workbook of ui.Program(). A cancel
// in either dialog or an unknown mode exports nothing. Failures are reported
// to the user by the writers. True when something was exported.
bool RunExport(const CListContents& list, int mode, ExportUi& ui);

}  // namespace output
