// Excel as the spreadsheet program, reached by OLE automation under
// "Excel.Application": Application.Visible, Workbooks.Add of one
// worksheet, Worksheets(1), and per cell Range("A1").Value and, for the
// titles, Range("A1").ColumnWidth; Saved is set once the workbook is
// filled, so that closing it asks nothing. Where Excel is not installed,
// there is no workbook.
#pragma once

#include <memory>
#include <string>

#include "output/Workbook.h"
#include "output/win32/Automation.h"

namespace output::win32 {

// Members of Excel's object model that the export calls.
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
inline constexpr const char* kProgId = "Excel.Application";
}  // namespace xl

class OleSpreadsheet : public Spreadsheet {
 public:
  // server makes the application object; the system's OLE unless given.
  explicit OleSpreadsheet(AutomationServer& server) : m_server(server) {}
  std::unique_ptr<Workbook> NewWorkbook() override;

 private:
  AutomationServer& m_server;
};

// Column letters of 1-based column k: A..Z, AA..AZ, BA.., ZZ, AAA...
std::string ColumnLetters(unsigned k);

}  // namespace output::win32
