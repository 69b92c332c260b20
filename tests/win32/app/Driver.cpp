#include "tests/win32/app/Driver.h"

#include <chrono>
#include <thread>
#include <utility>

namespace driver {

bool WaitFor(const std::function<bool()>& pred, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// KOLBRIN_EXE in the environment names another program to drive: the
// installed one.
CKolbrinProcess::CKolbrinProcess(const std::wstring& arguments) {
  const wchar_t* other = _wgetenv(L"KOLBRIN_EXE");
  std::wstring command =
      L"\"" + (other != nullptr ? std::wstring(other) : win32test::WindowsPath(KOLBRIN_EXE)) + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_info)) {
    m_info = {};
  }
}

CKolbrinProcess::~CKolbrinProcess() {
  if (m_info.hProcess == nullptr) return;
  if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_info.hProcess, 99);
    ::WaitForSingleObject(m_info.hProcess, 5000);
  }
  ::CloseHandle(m_info.hThread);
  ::CloseHandle(m_info.hProcess);
}

HWND CKolbrinProcess::WaitForWindow(const wchar_t* windowClass, const std::wstring& title) const {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND h = ::GetTopWindow(nullptr); h != nullptr && found == nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(h, &pid);
      const bool match = pid == m_info.dwProcessId && ::IsWindowVisible(h) && win32test::ClassOf(h) == windowClass;
      if (match && (title.empty() || win32test::TextOf(h) == title)) found = h;
    }
    return found != nullptr;
  });
  // Found as soon as it shows: its set-up ends when the program first waits.
  if (found != nullptr) ::WaitForInputIdle(m_info.hProcess, 10000);
  return found;
}

int CKolbrinProcess::WaitForExit() {
  if (m_info.hProcess == nullptr || ::WaitForSingleObject(m_info.hProcess, 10000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(m_info.hProcess, &code);
  return static_cast<int>(code);
}

bool ReadPosition(const wchar_t* name, DWORD& value) {
  DWORD size = sizeof value;
  return ::RegGetValueW(HKEY_CURRENT_USER, kPositionKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
         ERROR_SUCCESS;
}

void WriteUserValue(const wchar_t* path, const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(key);
}

void ForgetSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ostrana\\Kolbrin"); }

}  // namespace driver
