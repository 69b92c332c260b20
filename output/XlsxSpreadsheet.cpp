#include "output/XlsxSpreadsheet.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include "output/FileErrorText.h"
#include "output/WorkbookFolder.h"
#include "output/XlsxFile.h"
#include "output/XlsxWriter.h"
#include "platform/Job.h"
#include "platform/UserFolders.h"

namespace output {

namespace fs = std::filesystem;

namespace {

class XlsxWorkbook : public Workbook {
 public:
  XlsxWorkbook(WorkbookViewer& viewer, platform::FileSystem& files, fw::JobRunner& runner)
      : m_viewer(viewer), m_fs(files), m_runner(runner) {}

  void SetCell(std::uint32_t row, std::uint32_t column, const std::string& text) override {
    m_sheet->cells[Position(row, column)] = text;
  }

  void SetColumnWidth(std::uint32_t column, int characters) override {
    m_sheet->columnWidths[Position(1, column).second] = characters;
  }

  bool Show() override {
    auto written = std::make_shared<fs::path>();
    auto job = std::make_shared<platform::Job>(m_fs);
    if (!m_runner.Run(job, [job, sheet = m_sheet, written] { *written = Write(*job, *sheet); })) return false;
    if (m_viewer.Show(*written)) return true;
    std::error_code ignored;
    fs::remove(*written, ignored);  // no program took it
    throw WorkbookError("the program cannot be started", WorkbookError::Kind::kUnavailable);
  }

 private:
  // Zero-based, as the file counts; beyond the sheet's last row or column
  // the program refuses, as Excel would.
  static std::pair<std::uint32_t, std::uint16_t> Position(std::uint32_t row, std::uint32_t column) {
    if (row < 1 || row > kXlsxMaxRows || column < 1 || column > kXlsxMaxColumns) {
      throw WorkbookError(XlsxOutOfRangeDescription());
    }
    return {row - 1, static_cast<std::uint16_t>(column - 1)};
  }

  static fs::path Write(platform::Job& job, const XlsxSheet& sheet) {
    const platform::Touch touch(job, platform::UserCacheFolder().string());
    if (touch.Refused()) throw WorkbookError(FileErrorDescription(job.GivenUp() ? ECANCELED : ETIMEDOUT));
    std::error_code error;
    const fs::path folder = PrepareWorkbookFolder(error);
    if (error) throw WorkbookError(FileErrorDescription(error.default_error_condition().value()));
    fs::path path = WriteXlsxFile(sheet, folder);
    if (job.GivenUp()) {
      // Nobody waits for it any more: nothing is shown, nothing stays.
      fs::remove(path, error);
    }
    return path;
  }

  WorkbookViewer& m_viewer;
  platform::FileSystem& m_fs;
  fw::JobRunner& m_runner;
  std::shared_ptr<XlsxSheet> m_sheet = std::make_shared<XlsxSheet>();
};

}  // namespace

std::unique_ptr<Workbook> XlsxSpreadsheet::NewWorkbook() {
  if (!Available() || !m_viewer.Find()) return nullptr;
  return std::make_unique<XlsxWorkbook>(m_viewer, m_fs, m_runner);
}

bool XlsxSpreadsheet::Available() { return XlsxWriterAvailable(); }

}  // namespace output
