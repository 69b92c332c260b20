// The one document: the directory selected in the drive tree, shared by the
// three views, and the second stage of command routing.
#pragma once

#include <cstdint>
#include <string>

#include "framework/View.h"
#include "output/PrintJob.h"
#include "platform/FileSystem.h"

namespace output {
class CListContents;
class ExportUi;
}

namespace shell {

class CKolbrinDoc : public fw::CDocument {
 public:
  explicit CKolbrinDoc(platform::FileSystem& fs = platform::FileSystem::Native()) : m_fs(&fs) {}

  // Offers a command (or its update-UI) to every view but skip, in view
  // order; true as soon as one handles it.
  virtual bool RouteCommandToViews(fw::CView* skip, fw::UINT nID, int nCode, void* pExtra,
                                   fw::AFX_CMDHANDLERINFO* pHandlerInfo);

  // The text of a byte count for the size columns: "1.234.567 Byte".
  static void FormatSize(std::uint32_t nLow, std::uint32_t nHigh, std::string& strOut);

  platform::FileSystem& FileSystem() const { return *m_fs; }

  // Modes of ExportList.
  static constexpr int EXPORT_TO_FILE = 1;
  static constexpr int EXPORT_TO_EXCEL = 2;

  // Exports the rows of a list pane (every row, or after asking only the
  // selected ones) to a text file or a new workbook. Does nothing until an
  // export interface is set.
  void ExportList(output::CListContents& list, int nMode);

  // The dialogs and spreadsheet component the export uses; not owned.
  void SetExportUi(output::ExportUi* ui) { m_exportUi = ui; }

  // One print job of a list pane, shared by both lists: BeginPrinting makes
  // the print font and the page measurements for dc and returns the page
  // count; PrintPage draws page (from 1); EndPrinting gives up the font.
  int BeginPrinting(const output::PrintSource& list, output::PrintDC& dc);
  void PrintPage(const output::PrintSource& list, output::PrintDC& dc, int page) const;
  void EndPrinting();
  const output::PrintJob& PrintState() const { return m_print; }

  // Full path selected in the tree; empty until the first selection. A
  // drive root ends in the separator, every other path has none.
  std::string m_strPath;

 private:
  platform::FileSystem* m_fs;
  output::ExportUi* m_exportUi = nullptr;
  output::PrintJob m_print;
};

}  // namespace shell
