#include "tests/win32/app/Driver.h"

#include <chrono>
#include <thread>
#include <utility>

namespace driver {

constexpr wchar_t kPositionKey[] = L"Software\\Ostrana\\Kolbrin\\POSITION";

std::wstring WindowsPath(const char* path) {
  std::wstring out;
  for (const char* c = path; *c != '\0'; ++c) out += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return path[0] == '/' ? L"Z:" + out : out;
}

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
  std::wstring command = L"\"" + (other != nullptr ? std::wstring(other) : WindowsPath(KOLBRIN_EXE)) + L"\"";
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

bool SaveScreenshot(HWND hwnd, const std::wstring& path) {
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  const int cx = r.right - r.left;
  const int cy = r.bottom - r.top;
  const HDC screen = ::GetDC(nullptr);
  const HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(mem, bmp);
  ::BitBlt(mem, 0, 0, cx, cy, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = static_cast<DWORD>((cx * 3 + 3) & ~3);
  const DWORD size = stride * static_cast<DWORD>(cy);
  constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const BITMAPFILEHEADER fh{0x4D42, kHeaders + size, 0, 0, kHeaders};
  bi.bmiHeader.biSizeImage = size;
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0, total = 0;
  for (const auto& [data, length] : {std::pair<const void*, DWORD>{&fh, sizeof fh},
                                     {&bi.bmiHeader, sizeof bi.bmiHeader}, {bits, size}}) {
    if (file != INVALID_HANDLE_VALUE && ::WriteFile(file, data, length, &written, nullptr)) total += written;
  }
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return total == kHeaders + size;
}

bool ReadPosition(const wchar_t* name, DWORD& value) {
  DWORD size = sizeof value;
  return ::RegGetValueW(HKEY_CURRENT_USER, kPositionKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
         ERROR_SUCCESS;
}

void WritePosition(const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, kPositionKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(key);
}

void ForgetSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ostrana\\Kolbrin"); }

}  // namespace driver
