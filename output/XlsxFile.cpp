#include "output/XlsxFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "output/Automation.h"
#include "output/FileErrorText.h"

#ifdef KOLBRIN_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace output {

namespace fs = std::filesystem;

namespace {

// Length of the UTF-8 sequence at text[i], or 0 when it is not valid.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; min = 0x80; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; min = 0x800; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; min = 0x10000; }
  else return 0;
  if (i + length > text.size()) return 0;
  unsigned code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return (code < min || code > 0x10FFFF || surrogate) ? 0 : length;
}

// Claims a new file name, so that two exports never share one.
fs::path ReserveName(const fs::path& directory) {
  constexpr int kMaxAttempts = 100000;
  for (int n = 1; n <= kMaxAttempts; ++n) {
    const fs::path path = directory / ("Kolbrin-Export-" + std::to_string(n) + ".xlsx");
    std::FILE* file = std::fopen(path.string().c_str(), "wbx");
    if (file != nullptr) {
      std::fclose(file);
      return path;
    }
    if (errno != EEXIST) throw AutomationError(FileErrorDescription(errno));
  }
  throw AutomationError(FileErrorDescription(EEXIST));
}

#ifdef KOLBRIN_HAVE_XLSXWRITER
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

void WriteWorkbook(const XlsxSheet& sheet, const fs::path& path) {
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
#else
void WriteWorkbook(const XlsxSheet&, const fs::path&) {
  throw AutomationError("built without an xlsx writer", AutomationError::Kind::kUnavailable);
}
#endif

}  // namespace

bool XlsxWriterAvailable() {
#ifdef KOLBRIN_HAVE_XLSXWRITER
  return true;
#else
  return false;
#endif
}

std::string XlsxOutOfRangeDescription() {
#ifdef KOLBRIN_HAVE_XLSXWRITER
  return lxw_strerror(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
#else
  return "cell address out of range";
#endif
}

fs::path WriteXlsxFile(const XlsxSheet& sheet, const fs::path& directory) {
  const fs::path path = ReserveName(directory);
  try {
    WriteWorkbook(sheet, path);
  } catch (...) {
    std::error_code ignored;
    fs::remove(path, ignored);
    throw;
  }
  return path;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace output
