// The program's frame with its real panes in the test process, over a file
// system the test builds, started as the program starts: the start
// directory opened, or the first fixed drive selected. Tests type into the
// real controls and run the program's own message loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "shell/win32/KolbrinApp.h"
#include "shell/win32/ViewPanes.h"

namespace win32test {

class CFrameHarness {
 public:
  explicit CFrameHarness(platform::FileSystem& fs, std::string start = {});
  ~CFrameHarness();

  // Runs the program's loop (filters, translation, idle) until ready()
  // holds or ten seconds have passed; whether it held.
  bool PumpUntil(const std::function<bool()>& ready);

  shell::win32::CViewPanes& Panes() const { return *m_panes; }
  HWND Frame() const;
  HWND Tree() const;   // the controls of the three panes
  HWND Files() const;
  HWND Dirs() const;
  std::string Path() const;  // the document's
  std::string Status() const;  // pane 0's text
  // Sends a command as a menu item does.
  void Command(UINT id) const;

  // The texts a list shows in a column, row by row; the rows selected.
  static std::vector<std::wstring> Column(HWND list, int column);
  static std::vector<int> Selected(HWND list);

 private:
  shell::win32::CViewPanes* m_panes;
  std::unique_ptr<shell::win32::CKolbrinApp> m_app;
};

}  // namespace win32test
