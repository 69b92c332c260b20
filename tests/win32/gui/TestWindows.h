// Windows the framework tests build: a plain top-level window of our own to
// parent controls and receive commands, and a window that acts on a modal
// box of this thread from the box's own message loop, as a user would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/win32/WindowImpl.h"

namespace win32test {

// Records the WM_COMMAND ids it receives.
class CHostWindow : public fw::win32::CWindowImpl {
 public:
  CHostWindow();
  std::vector<UINT> commands;

 protected:
  fw::win32::WindowClass GetWindowClass() const override { return {L"KolbrinTestHost"}; }
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCommand(WPARAM wp, LPARAM) {
    commands.push_back(LOWORD(wp));
    return 0;
  }
};

// Looks every few milliseconds for a new enabled dialog of this thread;
// the first one found goes to act() (from inside its modal loop), once.
class CModalWatcher : public fw::win32::CWindowImpl {
 public:
  explicit CModalWatcher(std::function<void(HWND dialog)> act);
  ~CModalWatcher() override;

 protected:
  fw::win32::WindowClass GetWindowClass() const override { return {L"KolbrinTestWatcher"}; }
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnTimer(WPARAM, LPARAM);
  std::function<void(HWND)> m_act;
};

// Every child window in Z order (the template's order for a dialog).
std::vector<HWND> Children(HWND parent);
std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);
// Presses and releases a key in the window, as the keyboard would.
void PostKey(HWND hwnd, UINT vk);

}  // namespace win32test
