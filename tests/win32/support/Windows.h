// Looking at windows and typing into them, for the tests of the Windows
// front end, in its own process or in the program's.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/win32/WinApi.h"

namespace win32test {

std::vector<HWND> Children(HWND parent);  // all descendants, in Z order
std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);  // WM_GETTEXT, which crosses processes
// Left, top, right, bottom of the window on the screen, or in the client
// area of the window given.
using Edges = std::array<LONG, 4>;
Edges EdgesOf(HWND hwnd, HWND in = nullptr);
// The first descendant of the class, with the text when one is given.
HWND Child(HWND parent, const std::wstring& cls, const std::wstring& text = L"");
// Keys pressed and released one after another in the window's thread, as
// the keyboard would (F10 as a system key).
void PostKeys(HWND hwnd, std::initializer_list<UINT> keys);
inline void PostKey(HWND hwnd, UINT vk) { PostKeys(hwnd, {vk}); }
// A Linux path of the build as Windows sees it (Wine's drive Z: is the root).
std::wstring WindowsPath(const char* path);

// The pictures' folder, made if need be, as Windows sees it.
std::wstring LooksFolder(const char* path);
// The screen under the window, as a 24-bit BMP file.
bool SaveScreenshot(HWND hwnd, const std::wstring& path);

}  // namespace win32test
