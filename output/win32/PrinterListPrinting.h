// Printing a list pane with the application's printer: the print dialog,
// then the pages through GDI, or the preview window first.
#pragma once

#include "output/win32/ListPrinting.h"
#include "output/win32/PrinterSettings.h"

namespace output::win32 {

class CPrinterListPrinting : public ListPrinting {
 public:
  // printer must outlive this object.
  explicit CPrinterListPrinting(CPrinterSettings& printer) : m_printer(printer) {}

  void PrintList(output::ListOutput& output, const output::PrintSource& list, HWND owner, bool preview) override;

 private:
  CPrinterSettings& m_printer;
};

}  // namespace output::win32
