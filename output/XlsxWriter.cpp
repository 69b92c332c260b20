#include "output/XlsxWriter.h"

#include <xlsxwriter.h>

#include "framework/StringTable.h"
#include "output/Workbook.h"
#include "res/resource.h"

namespace output {

namespace {

// As a new workbook of a German spreadsheet program names its first sheet.
constexpr const char* kFirstSheetName = "Tabelle1";

// The writer's errors in the program's words.
WorkbookError Failure(lxw_error error) {
  res::Id id = IDS_XLSX_OTHER;
  switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: id = IDS_OUT_OF_MEMORY; break;
    case LXW_ERROR_CREATING_XLSX_FILE: id = IDS_XLSX_CANNOT_CREATE; break;
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE: id = IDS_XLSX_TEMPORARY_FILE; break;
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE: id = IDS_XLSX_PACKING; break;
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED: id = IDS_XLSX_TEXT_TOO_LONG; break;
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE: id = IDS_XLSX_OUT_OF_RANGE; break;
    default: break;
  }
  std::string text(fw::LoadResString(id));
  if (const std::size_t at = text.find("%d"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(static_cast<int>(error)));
  }
  return WorkbookError(text);
}

void WriteCells(const XlsxSheet& sheet, lxw_workbook* book) {
  lxw_worksheet* ws = workbook_add_worksheet(book, kFirstSheetName);
  if (ws == nullptr) throw Failure(LXW_ERROR_MEMORY_MALLOC_FAILED);
  for (const auto& [column, width] : sheet.columnWidths) {
    const lxw_error error = worksheet_set_column(ws, column, column, width, nullptr);
    if (error != LXW_NO_ERROR) throw Failure(error);
  }
  for (const auto& [position, text] : sheet.cells) {
    const std::string valid = ValidUtf8(text);
    const lxw_error error = worksheet_write_string(ws, position.first, position.second, valid.c_str(), nullptr);
    if (error != LXW_NO_ERROR) throw Failure(error);
  }
}

}  // namespace

bool XlsxWriterAvailable() { return true; }

std::string XlsxOutOfRangeDescription() { return Failure(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE).what(); }

void WriteXlsxWorkbook(const XlsxSheet& sheet, const std::filesystem::path& path) {
  lxw_workbook* book = workbook_new(path.string().c_str());
  if (book == nullptr) throw Failure(LXW_ERROR_CREATING_XLSX_FILE);
  try {
    WriteCells(sheet, book);
  } catch (...) {
    workbook_close(book);  // also frees it; the half-written file is removed by the caller
    throw;
  }
  const lxw_error error = workbook_close(book);
  if (error != LXW_NO_ERROR) throw Failure(error);
}

}  // namespace output
