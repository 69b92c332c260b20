#include "output/ExcelExport.h"

#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "res/resource.h"

namespace output {

namespace {

std::string CellAddress(unsigned column, std::size_t row) {
  return ColumnLetters(column) + std::to_string(row);
}

// Application.Workbooks.Add(one worksheet), then Workbook.Worksheets(1).
void OpenWorksheet(DispatchDriver& app, DispatchDriver& books, DispatchDriver& book,
                   DispatchDriver& sheet) {
  app.InvokeHelper(xl::kApplicationVisible, InvokeFlags::kPropertyPut, {Variant::Bool(1)});
  books.AttachDispatch(app.InvokeHelper(xl::kApplicationWorkbooks, xl::kGet, {}));
  book.AttachDispatch(books.InvokeHelper(xl::kWorkbooksAdd, InvokeFlags::kMethod,
                                         {Variant::I2(xl::kWBATWorksheet)}));
  sheet.AttachDispatch(book.InvokeHelper(xl::kWorkbookWorksheets, xl::kGet, {Variant::I2(1)}));
}

void FillRows(DispatchDriver& sheet, const ExportRows& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    unsigned k = 1;
    for (const std::string& text : rows[i]) {
      const std::string cell = CellAddress(k++, i + 1);
      if (i == 0) SetColumnWidth(sheet, cell, xl::kTitleColumnWidth);
      SetCellValue(sheet, cell, text);
    }
  }
}

void ReportFailure(const AutomationError& error) {
  if (error.kind() == AutomationError::Kind::kUnavailable || *error.what() == '\0') {
    fw::AfxMessageBox(IDS_EXCEL_FAILED);
    return;
  }
  // As the framework reports a failed command: the error's own description.
  fw::MessageBoxRequest request;
  request.text = error.what();
  request.title = std::string(fw::LoadResString(AFX_IDS_APP_TITLE));
  request.icon = fw::MsgIcon::kStop;
  fw::ShowMessageBox(request);
}

}  // namespace

bool ExportToExcel(const ExportRows& rows, AutomationServer& server) {
  DispatchDriver app;
  if (!app.CreateDispatch(server, xl::kProgId)) {
    fw::AfxMessageBox(IDS_EXCEL_FAILED);
    return false;
  }
  try {
    // Declared in creation order, so they are released newest first.
    DispatchDriver books;
    DispatchDriver book;
    DispatchDriver sheet;
    OpenWorksheet(app, books, book, sheet);
    FillRows(sheet, rows);
    book.InvokeHelper(xl::kWorkbookSaved, InvokeFlags::kPropertyPut, {Variant::Bool(1)});
    sheet.ReleaseDispatch();
    book.ReleaseDispatch();
    books.ReleaseDispatch();
    app.ReleaseDispatch();
    return true;
  } catch (const AutomationError& error) {
    app.ReleaseDispatch();
    ReportFailure(error);
    return false;
  }
}

void SetCellValue(DispatchDriver& sheet, const std::string& cell, const std::string& value) {
  DispatchDriver range;
  range.AttachDispatch(sheet.InvokeHelper(xl::kWorksheetRange, xl::kGet, {Variant::Str(cell)}));
  range.InvokeHelper(xl::kRangeValue, InvokeFlags::kPropertyPut, {Variant::Str(value)});
}

void SetColumnWidth(DispatchDriver& sheet, const std::string& cell, short width) {
  DispatchDriver range;
  range.AttachDispatch(sheet.InvokeHelper(xl::kWorksheetRange, xl::kGet, {Variant::Str(cell)}));
  range.InvokeHelper(xl::kRangeColumnWidth, InvokeFlags::kPropertyPut, {Variant::I2(width)});
}

std::string ColumnLetters(unsigned k) {
  std::string letters;
  while (k > 0) {
    --k;
    letters.insert(letters.begin(), static_cast<char>('A' + k % 26));
    k /= 26;
  }
  return letters;
}

bool GetField(std::string& field, std::string_view line, int n, char sep) {
  field.clear();
  if (n < 1) return false;
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) {
    const std::size_t next = line.find(sep, start);
    if (next == std::string_view::npos) return false;
    start = next + 1;
  }
  field.assign(line.substr(start, line.find(sep, start) - start));
  return true;
}

}  // namespace output
