#include "output/XlsxFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "output/Workbook.h"
#include "output/FileErrorText.h"
#include "output/XlsxWriter.h"

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
    if (errno != EEXIST) throw WorkbookError(FileErrorDescription(errno));
  }
  throw WorkbookError(FileErrorDescription(EEXIST));
}

}  // namespace

fs::path WriteXlsxFile(const XlsxSheet& sheet, const fs::path& directory) {
  const fs::path path = ReserveName(directory);
  try {
    WriteXlsxWorkbook(sheet, path);
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
