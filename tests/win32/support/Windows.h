// Looking at windows and typing into them, for the tests of the Windows
// front end, in its own process or in the program's.
#pragma once

#include <string>
#include <vector>

#include "framework/win32/WinApi.h"

namespace win32test {

std::vector<HWND> Children(HWND parent);  // all descendants, in Z order
std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);  // WM_GETTEXT, which crosses processes
// The first descendant of the class, with the text when one is given.
HWND Child(HWND parent, const std::wstring& cls, const std::wstring& text = L"");
// A key pressed and released in the window's thread, as the keyboard would.
void PostKey(HWND hwnd, UINT vk, bool system = false);
// A Linux path of the build as Windows sees it (Wine's drive Z: is the root).
std::wstring WindowsPath(const char* path);

// The pictures' folder, made if need be, as Windows sees it.
std::wstring LooksFolder(const char* path);
// The screen under the window, as a 24-bit BMP file.
bool SaveScreenshot(HWND hwnd, const std::wstring& path);

}  // namespace win32test
