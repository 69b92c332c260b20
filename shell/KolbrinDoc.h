// The one document: the directory selected in the drive tree, shared by the
// three views, the commands both lists share, and the second stage of
// command routing.
#pragma once

#include <cstdint>
#include <string>

#include "framework/PathDocument.h"
#include "framework/View.h"
#include "output/ListOutput.h"
#include "output/PrintJob.h"

namespace output {
class ExportUi;
}

namespace shell {

class CKolbrinDoc : public fw::CPathDocument, public output::ListOutput {
 public:
  explicit CKolbrinDoc(platform::FileSystem& fs = platform::FileSystem::Native())
      : fw::CPathDocument(fs) {}

  // Offers a command (or its update-UI) to every view but skip, in view
  // order; true as soon as one handles it.
  virtual bool RouteCommandToViews(fw::CView* skip, fw::UINT nID, int nCode, void* pExtra,
                                   fw::AFX_CMDHANDLERINFO* pHandlerInfo);

  // The text of a byte count for the size columns: "1.234.567 Byte".
  static void FormatSize(std::uint32_t nLow, std::uint32_t nHigh, std::string& strOut);

  // Does nothing until an export interface is set.
  void ExportList(const output::CListContents& list, int nMode) override;

  // The dialogs and spreadsheet component the export uses; not owned.
  void SetExportUi(output::ExportUi* ui) { m_exportUi = ui; }

  int BeginPrinting(const output::PrintSource& list, output::PrintDC& dc) override;
  void PrintPage(const output::PrintSource& list, output::PrintDC& dc, int page) const override;
  void EndPrinting() override;
  const output::PrintJob& PrintState() const { return m_print; }

 private:
  output::ExportUi* m_exportUi = nullptr;
  output::PrintJob m_print;
};

}  // namespace shell
