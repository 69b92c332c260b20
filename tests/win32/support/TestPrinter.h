// Printers for the tests under Wine: its PostScript driver writing into a
// file of the prefix instead of a printer's port.
#pragma once

#include "framework/win32/WinApi.h"

namespace win32test {

// Prints into kTestPrinterFile; the default printer.
inline constexpr wchar_t kTestPrinter[] = L"Kolbrin Testdrucker";
inline constexpr wchar_t kTestPrinterFile[] = L"C:\\kolbrin-test\\drucker.ps";
// Its file's folder does not exist, so no job gets through.
inline constexpr wchar_t kBrokenPrinter[] = L"Kolbrin Fehldrucker";

// Installs both printers once in the Wine prefix and makes the first the
// default; false when that failed.
bool InstallTestPrinters();

}  // namespace win32test
