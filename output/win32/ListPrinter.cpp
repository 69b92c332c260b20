#include "output/win32/ListPrinter.h"

#include "framework/AppMessageBox.h"
#include "framework/win32/ResText.h"
#include "output/ListOutput.h"
#include "output/win32/GdiPrintDC.h"
#include "output/win32/PrintPreview.h"
#include "output/win32/PrinterSettings.h"

namespace output::win32 {

using fw::win32::ResText;

std::vector<int> CListPrinter::PagesToPrint(int from, int to, int pageCount) {
  if (from <= 0) from = 1, to = pageCount;
  std::vector<int> pages;
  for (int p = from; p <= to && p <= pageCount; ++p) pages.push_back(p);
  return pages;
}

// The job's pages on the printer as now set up, so that the dialog offers
// them; 0 when there is no printer to measure with.
int CListPrinter::PageCount(CPrinterSettings& printer) const {
  const PrinterDC dc = printer.CreateDC();
  if (dc == nullptr) return 0;
  GdiPrintDC measure(dc.get());
  const int pages = m_job.BeginPrinting(m_list, measure);
  m_job.EndPrinting();
  return pages;
}

bool CListPrinter::Print(CPrinterSettings& printer, HWND owner) const {
  const int pages = PageCount(printer);
  PrintChoice choice = printer.AskToPrint(owner, pages > 0 ? pages : 0xFFFF);
  if (choice.dc == nullptr) return false;
  bool cancelled = false;
  if (PrintTo(choice.dc.get(), choice.fromPage, choice.toPage, choice.toFile ? L"FILE:" : nullptr, &cancelled)) {
    return true;
  }
  // A printer that cannot start must not pass for a printout.
  if (!cancelled) fw::AppMessageBox(nullptr, fw::MSG_ERROR, IDS_PRINT_FAILED);
  return false;
}

bool CListPrinter::PrintTo(HDC dc, int from, int to, const wchar_t* output, bool* cancelled) const {
  GdiPrintDC printer(dc);
  // The page count comes from the printer's measurements as the job starts.
  const std::vector<int> pages = PagesToPrint(from, to, m_job.BeginPrinting(m_list, printer));
  bool ok = true;
  if (!pages.empty()) {
    const std::wstring title = ResText(AFX_IDS_APP_TITLE);
    DOCINFOW doc{sizeof doc, title.c_str(), output, nullptr, 0};
    const bool started = ::StartDocW(dc, &doc) > 0;
    if (!started && cancelled != nullptr) *cancelled = ::GetLastError() == ERROR_CANCELLED;
    ok = started;
    for (std::size_t i = 0; ok && i < pages.size(); ++i) {
      ok = ::StartPage(dc) > 0;
      if (ok) m_job.PrintPage(m_list, printer, pages[i]);
      ok = ok && ::EndPage(dc) > 0;
    }
    if (started) ok = ok ? ::EndDoc(dc) > 0 : (::AbortDoc(dc), false);
  }
  m_job.EndPrinting();
  return ok;
}

void CListPrinter::Preview(CPrinterSettings& printer, HWND owner) const {
  PrinterDC dc = printer.CreateDC();
  if (dc == nullptr) {
    fw::AppMessageBox(nullptr, fw::MSG_ERROR, IDS_PREVIEW_NO_PRINTER);
    return;
  }
  CPrintPreview preview(m_job, m_list, printer, std::move(dc));
  if (preview.Create(owner)) preview.RunModal();
}

}  // namespace output::win32
