#include "output/XlsxWorkbookServer.h"

#include <system_error>
#include <utility>

#include "output/ExcelExport.h"
#include "output/FileErrorText.h"
#include "output/WorkbookFolder.h"
#include "output/XlsxFile.h"
#include "output/XlsxWriter.h"

namespace output {

namespace fs = std::filesystem;

namespace {

// Developer-facing: the export never makes such calls.
[[noreturn]] void UnknownMember() { throw AutomationError("unknown member"); }

const Variant& OnlyArgument(const std::vector<Variant>& args, VarType type) {
  if (args.size() != 1 || args[0].vt != type) throw AutomationError("type mismatch");
  return args[0];
}

// "AB12" -> zero-based (row 11, column 27); false for anything else.
bool ParseAddress(const std::string& address, std::uint32_t& row, std::uint16_t& column) {
  std::size_t i = 0;
  std::uint64_t col = 0;
  while (i < address.size() && address[i] >= 'A' && address[i] <= 'Z' && col <= kXlsxMaxColumns) {
    col = col * 26 + static_cast<unsigned>(address[i++] - 'A' + 1);
  }
  std::uint64_t r = 0;
  const std::size_t digits = i;
  while (i < address.size() && address[i] >= '0' && address[i] <= '9' && r <= kXlsxMaxRows) {
    r = r * 10 + static_cast<unsigned>(address[i++] - '0');
  }
  if (i != address.size() || digits == 0 || i == digits) return false;
  if (col < 1 || col > kXlsxMaxColumns || r < 1 || r > kXlsxMaxRows) return false;
  row = static_cast<std::uint32_t>(r - 1);
  column = static_cast<std::uint16_t>(col - 1);
  return true;
}

class Range : public IDispatchTarget {
 public:
  Range(std::shared_ptr<XlsxSheet> sheet, std::uint32_t row, std::uint16_t column)
      : m_sheet(std::move(sheet)), m_row(row), m_column(column) {}

  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override {
    if (flags != InvokeFlags::kPropertyPut) UnknownMember();
    if (dispid == xl::kRangeValue) {
      m_sheet->cells[{m_row, m_column}] = OnlyArgument(args, VarType::kBstr).bstrVal;
    } else if (dispid == xl::kRangeColumnWidth) {
      m_sheet->columnWidths[m_column] = OnlyArgument(args, VarType::kI2).iVal;
    } else {
      UnknownMember();
    }
    return {};
  }

 private:
  std::shared_ptr<XlsxSheet> m_sheet;
  std::uint32_t m_row;
  std::uint16_t m_column;
};

class Worksheet : public IDispatchTarget {
 public:
  explicit Worksheet(std::shared_ptr<XlsxSheet> sheet) : m_sheet(std::move(sheet)) {}

  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override {
    if (dispid != xl::kWorksheetRange || flags != xl::kGet) UnknownMember();
    std::uint32_t row = 0;
    std::uint16_t column = 0;
    if (!ParseAddress(OnlyArgument(args, VarType::kBstr).bstrVal, row, column)) {
      throw AutomationError(XlsxOutOfRangeDescription());
    }
    return Variant::Dispatch(std::make_shared<Range>(m_sheet, row, column));
  }

 private:
  std::shared_ptr<XlsxSheet> m_sheet;
};

class Workbook : public IDispatchTarget {
 public:
  explicit Workbook(WorkbookViewer& viewer) : m_viewer(viewer) {}

  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override {
    if (dispid == xl::kWorkbookWorksheets && flags == xl::kGet) {
      if (OnlyArgument(args, VarType::kI2).iVal != 1) throw AutomationError(XlsxOutOfRangeDescription());
      return Variant::Dispatch(std::make_shared<Worksheet>(m_sheet));
    }
    if (dispid == xl::kWorkbookSaved && flags == InvokeFlags::kPropertyPut) {
      if (OnlyArgument(args, VarType::kBool).iVal != 0) Publish();
      return {};
    }
    UnknownMember();
  }

 private:
  // The workbook is complete once the caller marks it saved: write it and
  // show it to the user. A file no program can be started for is not left
  // behind.
  void Publish() {
    std::error_code error;
    const fs::path folder = PrepareWorkbookFolder(error);
    if (error) throw AutomationError(FileErrorDescription(error.default_error_condition().value()));
    const fs::path path = WriteXlsxFile(*m_sheet, folder);
    if (!m_viewer.Show(path)) {
      std::error_code ignored;
      fs::remove(path, ignored);
      throw AutomationError("the program cannot be started", AutomationError::Kind::kUnavailable);
    }
  }

  WorkbookViewer& m_viewer;
  std::shared_ptr<XlsxSheet> m_sheet = std::make_shared<XlsxSheet>();
};

class Workbooks : public IDispatchTarget {
 public:
  explicit Workbooks(WorkbookViewer& viewer) : m_viewer(viewer) {}

  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override {
    if (dispid != xl::kWorkbooksAdd || flags != InvokeFlags::kMethod) UnknownMember();
    // Only the single-worksheet template is known.
    if (OnlyArgument(args, VarType::kI2).iVal != xl::kWBATWorksheet) UnknownMember();
    return Variant::Dispatch(std::make_shared<Workbook>(m_viewer));
  }

 private:
  WorkbookViewer& m_viewer;
};

class Application : public IDispatchTarget {
 public:
  explicit Application(WorkbookViewer& viewer) : m_workbooks(std::make_shared<Workbooks>(viewer)) {}

  Variant Invoke(DispId dispid, unsigned short flags, const std::vector<Variant>& args) override {
    if (dispid == xl::kApplicationVisible && flags == InvokeFlags::kPropertyPut) {
      m_visible = OnlyArgument(args, VarType::kBool).iVal != 0;  // the workbook shows when it opens
      return {};
    }
    if (dispid == xl::kApplicationWorkbooks && flags == xl::kGet && args.empty()) {
      return Variant::Dispatch(m_workbooks);
    }
    UnknownMember();
  }

 private:
  std::shared_ptr<Workbooks> m_workbooks;
  bool m_visible = false;
};

}  // namespace

std::shared_ptr<IDispatchTarget> XlsxWorkbookServer::CreateDispatch(std::string_view progId) {
  // Nothing is written for a workbook no program would show.
  if (progId != xl::kProgId || !Available() || !m_viewer.Find()) return nullptr;
  return std::make_shared<Application>(m_viewer);
}

bool XlsxWorkbookServer::Available() { return XlsxWriterAvailable(); }

}  // namespace output
