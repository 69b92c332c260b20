// The contents of one worksheet and how they become an .xlsx file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace output {

// Zero-based cell positions, as the file format counts them.
struct XlsxSheet {
  std::map<std::pair<std::uint32_t, std::uint16_t>, std::string> cells;  // (row, column) -> text
  std::map<std::uint16_t, double> columnWidths;
};

// Largest row and column count of a worksheet.
inline constexpr std::uint32_t kXlsxMaxRows = 1048576;
inline constexpr std::uint32_t kXlsxMaxColumns = 16384;

// Writes sheet, every cell as text, as the sheet "Tabelle1" of a new file
// "Kolbrin-Export-<n>.xlsx" in directory and returns its path. Throws
// WorkbookError with the writer's or the file error's description; no
// file is left then.
std::filesystem::path WriteXlsxFile(const XlsxSheet& sheet, const std::filesystem::path& directory);

// text with every invalid UTF-8 sequence replaced by U+FFFD, so that file
// names in other encodings cannot corrupt the workbook.
std::string ValidUtf8(std::string_view text);

}  // namespace output
