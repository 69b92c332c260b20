#include "shell/KolbrinDoc.h"

#include "output/ExportCommand.h"
#include "output/FormatSize.h"

namespace shell {

bool CKolbrinDoc::RouteCommandToViews(fw::CView* skip, fw::UINT nID, int nCode, void* pExtra,
                                      fw::AFX_CMDHANDLERINFO* pHandlerInfo) {
  // Copy: a handler may change the document's views.
  const auto views = Views();
  for (fw::CView* view : views) {
    if (view != skip && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return true;
  }
  return false;
}

void CKolbrinDoc::FormatSize(std::uint32_t nLow, std::uint32_t nHigh, std::string& strOut) {
  output::FormatSize(nLow, nHigh, strOut);
}

void CKolbrinDoc::ExportList(const output::CListContents& list, int nMode) {
  if (m_exportUi != nullptr) output::RunExport(list, nMode, *m_exportUi);
}

int CKolbrinDoc::BeginPrinting(const output::PrintSource& list, output::PrintDC& dc) {
  return m_print.BeginPrinting(list, dc);
}

void CKolbrinDoc::PrintPage(const output::PrintSource& list, output::PrintDC& dc, int page) const {
  m_print.PrintPage(list, dc, page);
}

void CKolbrinDoc::EndPrinting() { m_print.EndPrinting(); }

}  // namespace shell
