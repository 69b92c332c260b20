#include "output/win32/PrinterListPrinting.h"

#include "output/win32/ListPrinter.h"

namespace output::win32 {

void CPrinterListPrinting::PrintList(output::ListOutput& output, const output::PrintSource& list, HWND owner,
                                     bool preview) {
  const CListPrinter printer(output, list);
  if (preview) {
    printer.Preview(m_printer, owner);
  } else {
    printer.Print(m_printer, owner);
  }
}

}  // namespace output::win32
