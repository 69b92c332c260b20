// Export of a row list into a new spreadsheet workbook through automation:
// one row per export row, one cell per text, titles in row 1 with their
// columns 20 characters wide; the workbook is left open for the user.
#pragma once

#include <string>
#include <string_view>

#include "output/DispatchDriver.h"
#include "output/ExportRows.h"

namespace output {

// Members of the spreadsheet's object model that the export calls.
namespace xl {
inline constexpr DispId kApplicationVisible = 0x22E;
inline constexpr DispId kApplicationWorkbooks = 0x23C;
inline constexpr DispId kWorkbooksAdd = 0xB5;
inline constexpr DispId kWorkbookWorksheets = 0x1EE;
inline constexpr DispId kWorksheetRange = 0xC5;
inline constexpr DispId kRangeValue = 6;
inline constexpr DispId kRangeColumnWidth = 0xF2;
inline constexpr DispId kWorkbookSaved = 0x12A;
inline constexpr unsigned short kGet = InvokeFlags::kMethod | InvokeFlags::kPropertyGet;
inline constexpr short kWBATWorksheet = -4167;  // a workbook of one worksheet
inline constexpr short kTitleColumnWidth = 20;
inline constexpr const char* kProgId = "Excel.Application";
}  // namespace xl

// Fills a new workbook of the component behind "Excel.Application" with
// rows. When the component cannot be created, shows "Excel kann nicht
// ausgeführt werden." and makes no other call. A later call that fails stops
// the export: every reference is released (the newest first) and the user
// sees the failure's description, or the message above when the component
// itself gave up. The result is true when every call succeeded.
bool ExportToExcel(const ExportRows& rows, AutomationServer& server);

// Worksheet.Range(cell).Value = value, the value always as text.
void SetCellValue(DispatchDriver& sheet, const std::string& cell, const std::string& value);

// Worksheet.Range(cell).ColumnWidth = width.
void SetColumnWidth(DispatchDriver& sheet, const std::string& cell, short width);

// Column letters of 1-based column k: A..Z, AA..AZ, BA.., ZZ, AAA...
std::string ColumnLetters(unsigned k);

// Field n (1-based) of line, split at sep; empty fields count, so a line
// with n separators has n + 1 fields and field 1 of "" exists and is empty.
// False (and field empty) when the line has fewer fields or n < 1.
bool GetField(std::string& field, std::string_view line, int n, char sep);

}  // namespace output
