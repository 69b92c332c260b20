// Printing a list pane on Windows: the system's print dialog, the preview
// window and the print cycle between them. Every page goes through the
// document's print job (BeginPrinting, PrintPage for each page,
// EndPrinting) with the printer's measurements, so the preview shows
// exactly the printed pages.
#pragma once

#include <vector>

#include "framework/win32/WinApi.h"

namespace output {
class ListOutput;
class PrintSource;
}  // namespace output

namespace output::win32 {

class CPrinterSettings;

class CListPrinter {
 public:
  CListPrinter(ListOutput& job, const PrintSource& list) : m_job(job), m_list(list) {}

  // The print command: the print dialog (printer, pages, copies), then the
  // job on the printer chosen. False when the user cancels or the printer
  // fails, which is told in a message box.
  bool Print(CPrinterSettings& printer, HWND owner) const;

  // The preview command: the pages as the printer now set up prints them,
  // in the preview window, until the user closes it. Without a printer
  // there is nothing to measure the pages with, which is told.
  void Preview(CPrinterSettings& printer, HWND owner) const;

  // Prints pages from to to (0: all) onto the printer's dc, into the file
  // output instead of the printer's port when given. False when the
  // printer refused or the user cancelled the system's question for a
  // file (cancelled then says so).
  bool PrintTo(HDC dc, int from, int to, const wchar_t* output = nullptr, bool* cancelled = nullptr) const;

  // The pages of a job of pageCount pages that from and to (0: all) select.
  static std::vector<int> PagesToPrint(int from, int to, int pageCount);

 private:
  int PageCount(CPrinterSettings& printer) const;

  ListOutput& m_job;
  const PrintSource& m_list;
};

}  // namespace output::win32
