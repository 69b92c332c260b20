// Drives the real kolbrin.exe from outside, as a user would: the program is
// started as its own process under the same Wine server, its windows are
// found by class and title, and keys are posted to them.
#pragma once

#include <functional>
#include <string>

#include "tests/win32/support/Windows.h"

namespace driver {

// Until pred holds or the time (ten seconds unless given) has passed;
// whether it held.
bool WaitFor(const std::function<bool()>& pred, int milliseconds = 10000);

class CKolbrinProcess {
 public:
  explicit CKolbrinProcess(const std::wstring& arguments = L"");
  CKolbrinProcess(const CKolbrinProcess&) = delete;
  CKolbrinProcess& operator=(const CKolbrinProcess&) = delete;
  ~CKolbrinProcess();  // ends a process that is still running

  // A visible top-level window of the process, found within ten seconds,
  // once the process waits for input; null when there is none.
  HWND WaitForWindow(const wchar_t* windowClass, const std::wstring& title = L"") const;
  // Its exit code once it ended within ten seconds, else -1.
  int WaitForExit();

 private:
  PROCESS_INFORMATION m_info{};
};

// Values of HKEY_CURRENT_USER\Software\Ostrana\Kolbrin\POSITION.
inline constexpr wchar_t kPositionKey[] = L"Software\\Ostrana\\Kolbrin\\POSITION";
bool ReadPosition(const wchar_t* name, DWORD& value);
void ForgetSettings();
// A number under HKEY_CURRENT_USER, its key made if need be.
void WriteUserValue(const wchar_t* path, const wchar_t* name, DWORD value);

}  // namespace driver
