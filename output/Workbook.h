// What the spreadsheet export needs of a spreadsheet program: a new
// workbook, filled cell by cell (rows and columns counted from 1, as the
// program's own sheets count them), columns made wide, and the workbook
// shown to the user, who goes on with it there. On Windows the program is
// Excel, reached by automation; elsewhere the workbook is an .xlsx file
// that the desktop's spreadsheet program opens.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace output {

// A call the program refused. kFailed carries the program's or the
// system's own description, which the user is shown; kUnavailable means
// the program cannot do its work at all and is told as such.
class WorkbookError : public std::runtime_error {
 public:
  enum class Kind { kFailed, kUnavailable };
  explicit WorkbookError(const std::string& description, Kind kind = Kind::kFailed)
      : std::runtime_error(description), m_kind(kind) {}
  Kind kind() const { return m_kind; }

 private:
  Kind m_kind;
};

class Workbook {
 public:
  virtual ~Workbook() = default;

  // Throw WorkbookError when the program refuses.
  virtual void SetCell(std::uint32_t row, std::uint32_t column, const std::string& text) = 0;
  virtual void SetColumnWidth(std::uint32_t column, int characters) = 0;
  // Hands the complete workbook to the user; false when the user gave up
  // waiting for it to be written.
  virtual bool Show() = 0;
};

class Spreadsheet {
 public:
  virtual ~Spreadsheet() = default;
  // A new workbook of one empty sheet; null when there is no program to
  // show it with.
  virtual std::unique_ptr<Workbook> NewWorkbook() = 0;
};

}  // namespace output
