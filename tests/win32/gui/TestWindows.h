// Windows the framework tests build: a top-level window of our own to parent
// controls and take commands, and a window that acts once the moment has
// come, from inside whatever message loop runs then (a modal box's, a
// wait's), as a user would.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/win32/WindowImpl.h"
#include "tests/win32/support/Windows.h"

namespace win32test {

class CHostWindow : public fw::win32::CWindowImpl {
 public:
  CHostWindow() { Create(nullptr, L"Test", WS_OVERLAPPEDWINDOW); }
  std::vector<UINT> commands;  // the WM_COMMAND ids received

 protected:
  fw::win32::WindowClass GetWindowClass() const override { return {L"KolbrinTestHost"}; }
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnCommand(WPARAM wp, LPARAM) { return commands.push_back(LOWORD(wp)), 0; }
};

// Asks ready() every 10 ms; once it holds, act() runs, once.
class CWhen : public fw::win32::CWindowImpl {
 public:
  CWhen(std::function<bool()> ready, std::function<void()> act);

 protected:
  fw::win32::WindowClass GetWindowClass() const override { return {L"KolbrinTestWhen"}; }
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnTimer(WPARAM, LPARAM);
  std::function<bool()> m_ready;
  std::function<void()> m_act;
};

// The first dialog box a modal loop of this thread shows goes to act(),
// once. Of several acts each next one waits for another box than the last
// acted on (one it opened, or the one beneath when it closed).
class CModalWatcher {
 public:
  explicit CModalWatcher(std::function<void(HWND dialog)> act)
      : CModalWatcher(std::vector<std::function<void(HWND)>>{std::move(act)}) {}
  explicit CModalWatcher(std::vector<std::function<void(HWND dialog)>> acts);
  CModalWatcher(const CModalWatcher&) = delete;  // its acts know it

 private:
  std::vector<std::unique_ptr<CWhen>> m_acts;
  std::size_t m_done = 0;  // how many have acted
  HWND m_last = nullptr;
};

}  // namespace win32test
