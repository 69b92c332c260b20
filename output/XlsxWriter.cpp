#include "output/XlsxWriter.h"

#include <xlsxwriter.h>

#include "output/Automation.h"

namespace output {

namespace {

// As a new workbook of a German spreadsheet program names its first sheet.
constexpr const char* kFirstSheetName = "Tabelle1";

void WriteCells(const XlsxSheet& sheet, lxw_workbook* book) {
  lxw_worksheet* ws = workbook_add_worksheet(book, kFirstSheetName);
  if (ws == nullptr) throw AutomationError(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
  for (const auto& [column, width] : sheet.columnWidths) {
    const lxw_error error = worksheet_set_column(ws, column, column, width, nullptr);
    if (error != LXW_NO_ERROR) throw AutomationError(lxw_strerror(error));
  }
  for (const auto& [position, text] : sheet.cells) {
    const std::string valid = ValidUtf8(text);
    const lxw_error error =
        worksheet_write_string(ws, position.first, position.second, valid.c_str(), nullptr);
    if (error != LXW_NO_ERROR) throw AutomationError(lxw_strerror(error));
  }
}

}  // namespace

bool XlsxWriterAvailable() { return true; }

std::string XlsxOutOfRangeDescription() { return lxw_strerror(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE); }

void WriteXlsxWorkbook(const XlsxSheet& sheet, const std::filesystem::path& path) {
  lxw_workbook* book = workbook_new(path.string().c_str());
  if (book == nullptr) throw AutomationError(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
  try {
    WriteCells(sheet, book);
  } catch (...) {
    workbook_close(book);  // also frees it; the half-written file is removed by the caller
    throw;
  }
  const lxw_error error = workbook_close(book);
  if (error != LXW_NO_ERROR) throw AutomationError(lxw_strerror(error));
}

}  // namespace output
