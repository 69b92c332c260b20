// Writes an export row list as a text file: one line per row, fields split
// by the separator, lines ending in CR LF, in the encoding text files have
// on the system (platform::TextFileBytes: on Windows code page 1252 when
// every character fits, else UTF-8 with a byte-order mark).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/JobRunner.h"
#include "output/ExportRows.h"

namespace output {

class CExportTable {
 public:
  // Writes every row into the file fileName names on fs (WriteExportFile),
  // the file work carried out by runner. On a failure the user sees
  // "Dateifehler: <description>" and the result is false; when the user
  // gave up waiting the result is false and nothing more is said.
  bool WriteToFile(const std::string& fileName, const ExportRows& rows, platform::FileSystem& fs,
                   fw::JobRunner& runner) const;

  // One line of the file, CR LF included. A field holding the separator, a
  // double quote, CR or LF is quoted with its quotes doubled.
  std::string FormatLine(const ExportRow& row) const;

  // Every line of rows, in order.
  std::string FormatText(const ExportRows& rows) const;

  char m_chSeparator = ';';
};

// All the file-system work of the text export: makes text (UTF-8), in the
// system's text-file encoding, the contents of the file fileName names,
// following links, keeping the file's permission bits and owner, refusing
// a file the user may not change, and leaving the old contents where the
// write fails (platform::WriteFileContents).
// Nothing on success, else the description of the failure for
// "Dateifehler: %s". Makes no call into the user interface and may run on
// any thread; stops changing anything once job is given up.
std::optional<std::string> WriteExportFile(platform::Job& job, const std::string& fileName, std::string_view text);

}  // namespace output
