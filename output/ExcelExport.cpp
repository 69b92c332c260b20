#include "output/ExcelExport.h"

#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "res/resource.h"

namespace output {

namespace {

void Fill(Workbook& book, const ExportRows& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::uint32_t column = 1;
    for (const std::string& text : rows[i]) {
      if (i == 0) book.SetColumnWidth(column, kTitleColumnWidth);
      book.SetCell(static_cast<std::uint32_t>(i + 1), column++, text);
    }
  }
}

void ReportFailure(const WorkbookError& error) {
  if (error.kind() == WorkbookError::Kind::kUnavailable || *error.what() == '\0') {
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

bool ExportToExcel(const ExportRows& rows, Spreadsheet& program) {
  std::unique_ptr<Workbook> book;
  try {
    book = program.NewWorkbook();
    if (!book) {
      fw::AfxMessageBox(IDS_EXCEL_FAILED);
      return false;
    }
    Fill(*book, rows);
    return book->Show();
  } catch (const WorkbookError& error) {
    book.reset();  // let go of the program before the user is told
    ReportFailure(error);
    return false;
  }
}

}  // namespace output
