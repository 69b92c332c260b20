#include "tests/win32/support/Windows.h"

#include <utility>

namespace win32test {

std::wstring WindowsPath(const char* path) {
  std::wstring out;
  for (const char* c = path; *c != '\0'; ++c) out += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return path[0] == '/' ? L"Z:" + out : out;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  ::EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[2048] = {};
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

Edges EdgesOf(HWND hwnd, HWND in) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  ::MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

HWND Child(HWND parent, const std::wstring& cls, const std::wstring& text) {
  for (HWND h : Children(parent)) {
    if (ClassOf(h) == cls && (text.empty() || TextOf(h) == text)) return h;
  }
  return nullptr;
}

void PostKeys(HWND hwnd, std::initializer_list<UINT> keys) {
  for (const UINT vk : keys) {
    const bool system = vk == VK_F10;
    const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(hwnd, system ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1 | scan);
    ::PostMessageW(hwnd, system ? WM_SYSKEYUP : WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u) | scan);
  }
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

std::wstring LooksFolder(const char* path) {
  const std::wstring folder = WindowsPath(path);
  ::CreateDirectoryW(folder.substr(0, folder.rfind(L'\\')).c_str(), nullptr);
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace win32test
