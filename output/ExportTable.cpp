#include "output/ExportTable.h"

#include <memory>

#include "framework/AppMessageBox.h"
#include "output/FileErrorText.h"
#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "platform/TextFileBytes.h"
#include "res/resource.h"

namespace output {

namespace {

bool NeedsQuotes(const std::string& field, char separator) {
  for (const char c : field) {
    if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

void AppendField(std::string& line, const std::string& field, char separator) {
  if (!NeedsQuotes(field, separator)) {
    line += field;
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

}  // namespace

std::string CExportTable::FormatLine(const ExportRow& row) const {
  std::string line;
  bool first = true;
  for (const std::string& field : row) {
    if (!first) line += m_chSeparator;
    first = false;
    AppendField(line, field, m_chSeparator);
  }
  line += "\r\n";
  return line;
}

std::string CExportTable::FormatText(const ExportRows& rows) const {
  std::string text;
  for (const ExportRow& row : rows) text += FormatLine(row);
  return text;
}

bool CExportTable::WriteToFile(const std::string& fileName, const ExportRows& rows, platform::FileSystem& fs,
                               fw::JobRunner& runner) const {
  auto text = std::make_shared<const std::string>(FormatText(rows));
  auto result = std::make_shared<std::optional<std::string>>();
  auto job = std::make_shared<platform::Job>(fs);
  if (!runner.Run(job, [job, fileName, text, result] { *result = WriteExportFile(*job, fileName, *text); })) {
    return false;
  }
  const std::optional<std::string>& error = *result;
  if (!error) return true;
  fw::AppMessageBox(nullptr, fw::MSG_ERROR, IDS_FILE_ERROR, error->c_str());
  return false;
}

std::optional<std::string> WriteExportFile(platform::Job& job, const std::string& fileName, std::string_view text) {
  const int error = platform::WriteFileContents(job, fileName, platform::TextFileBytes(text));
  if (error == 0) return std::nullopt;
  return FileErrorDescription(error);
}

}  // namespace output
