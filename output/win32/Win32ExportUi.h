// The export's questions on Windows: "Datensatzauswahl", the system's save
// dialog, and Excel reached by OLE automation.
#pragma once

#include <functional>

#include "framework/win32/WinApi.h"
#include "output/ExportUi.h"
#include "output/win32/OleAutomationServer.h"
#include "output/win32/OleSpreadsheet.h"

namespace output::win32 {

class CWin32ExportUi : public ExportUi {
 public:
  // The dialogs belong to the window owner() names when they open; the file
  // work on fs is waited for by runner. fs and runner outlive this object.
  CWin32ExportUi(std::function<HWND()> owner, platform::FileSystem& fs, fw::JobRunner& runner)
      : m_owner(std::move(owner)), m_fs(fs), m_runner(runner) {}

  std::optional<bool> AskSelection(int total, int selected) override;
  // Text files, ".txt" added to a name without extension, a question before
  // a file is replaced; the full path chosen, as UTF-8. The current
  // directory stays as it was.
  std::optional<std::string> AskSaveFile() override;
  Spreadsheet& Program() override { return m_excel; }
  platform::FileSystem& Files() override { return m_fs; }
  fw::JobRunner& Runner() override { return m_runner; }

 private:
  std::function<HWND()> m_owner;
  platform::FileSystem& m_fs;
  fw::JobRunner& m_runner;
  OleAutomationServer m_server;
  OleSpreadsheet m_excel{m_server};
};

}  // namespace output::win32
