// Writes an export row list as a text file: one line per row, fields split
// by the separator, lines ending in CR LF, bytes written as they stand.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "output/ExportRows.h"

namespace output {

class CExportTable {
 public:
  virtual ~CExportTable() = default;

  // Writes every row into fileName. The new contents go to a temporary file
  // beside the target first, which replaces the target only once it is
  // complete; on any error the old file stays as it was, no temporary file
  // is left, the user sees "Dateifehler: <description>" and the result is
  // false.
  bool WriteToFile(const std::string& fileName, const ExportRows& rows);

  // One line of the file, CR LF included. A field holding the separator, a
  // double quote, CR or LF is quoted with its quotes doubled.
  std::string FormatLine(const ExportRow& row) const;

  char m_chSeparator = ';';

 protected:
  // The one place that writes bytes; tests replace it to simulate a full
  // disk. Returns the number of bytes written and sets errno on a shortfall.
  virtual std::size_t WriteBytes(std::FILE* file, const char* data, std::size_t size);

 private:
  bool WriteRows(std::FILE* file, const ExportRows& rows, std::string& error);
};

}  // namespace output
