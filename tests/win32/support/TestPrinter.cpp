#include "tests/win32/support/TestPrinter.h"

#include <winspool.h>

#include <string>

namespace win32test {

namespace {

// Wine's spooler carries the description of a generic PostScript printer.
bool WriteGenericPpd(const std::wstring& path) {
  const HMODULE spooler = ::LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HRSRC found = spooler != nullptr ? ::FindResourceW(spooler, MAKEINTRESOURCEW(1), L"PPDFILE") : nullptr;
  if (found == nullptr) return false;
  const auto* text = static_cast<const char*>(::LockResource(::LoadResource(spooler, found)));
  const DWORD size = static_cast<DWORD>(strnlen(text, ::SizeofResource(spooler, found)));
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE && ::WriteFile(file, text, size, &written, nullptr) && written == size;
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return ok;
}

bool AddDriver() {
  const std::wstring ppd = L"C:\\kolbrin-test\\generic.ppd";
  if (!WriteGenericPpd(ppd)) return false;
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(L"Wine PostScript Driver");
  driver.pEnvironment = const_cast<wchar_t*>(L"Windows x64");
  driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  driver.pConfigFile = driver.pDriverPath;
  driver.pDataFile = const_cast<wchar_t*>(ppd.c_str());
  driver.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
  return ::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                               APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) ||
         ::GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

bool AddPrinter(const wchar_t* name, const wchar_t* port) {
  HANDLE printer = nullptr;
  PRINTER_INFO_2W info{};
  info.pPrinterName = const_cast<wchar_t*>(name);
  info.pPortName = const_cast<wchar_t*>(port);
  info.pDriverName = const_cast<wchar_t*>(L"Wine PostScript Driver");
  info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  if (!::OpenPrinterW(info.pPrinterName, &printer, nullptr)) printer = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer != nullptr) ::ClosePrinter(printer);
  return printer != nullptr;
}

}  // namespace

bool InstallTestPrinters() {
  ::CreateDirectoryW(L"C:\\kolbrin-test", nullptr);
  HANDLE installed = nullptr;
  if (::OpenPrinterW(const_cast<wchar_t*>(kBrokenPrinter), &installed, nullptr)) {
    ::ClosePrinter(installed);
  } else if (!AddDriver() || !AddPrinter(kTestPrinter, kTestPrinterFile) ||
             !AddPrinter(kBrokenPrinter, L"C:\\kolbrin-test\\fehlt\\drucker.ps")) {
    return false;
  }
  return ::SetDefaultPrinterW(kTestPrinter) != FALSE;
}

}  // namespace win32test
