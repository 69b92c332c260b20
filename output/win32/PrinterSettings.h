// The application's printer: which printer, and with which of its settings
// (paper, orientation, copies), the next print and preview use. The printer
// setup changes it, and so does the choice made in a print dialog; until
// either happens it is the system's default printer.
#pragma once

#include <memory>
#include <string>

#include "framework/win32/WinApi.h"

#include <commdlg.h>

namespace output::win32 {

struct PrinterDCDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
// A device context of a printer, deleted with this.
using PrinterDC = std::unique_ptr<std::remove_pointer_t<HDC>, PrinterDCDeleter>;

// What the print dialog chose for one job.
struct PrintChoice {
  PrinterDC dc;        // null: cancelled or no printer
  int fromPage = 0;    // 0: every page
  int toPage = 0;
  bool toFile = false; // "Ausgabe in Datei": the system asks for the file
};

class CPrinterSettings {
 public:
  CPrinterSettings() = default;
  ~CPrinterSettings();
  CPrinterSettings(const CPrinterSettings&) = delete;
  CPrinterSettings& operator=(const CPrinterSettings&) = delete;

  // The system's printer setup; false when cancelled (nothing changes).
  bool Setup(HWND owner);
  // The system's print dialog for a job of pages (up to maxPage).
  PrintChoice AskToPrint(HWND owner, int maxPage);
  // A context of the printer as now set up; null when there is no printer.
  PrinterDC CreateDC();
  std::wstring PrinterName();

 private:
  PRINTDLGW Dialog(HWND owner, DWORD flags) const;
  void Keep(const PRINTDLGW& dialog);
  // The default printer's settings when none are kept yet.
  bool Ensure();

  HGLOBAL m_devMode = nullptr;
  HGLOBAL m_devNames = nullptr;
};

}  // namespace output::win32
