// The export's questions as the program's dialogs, and the workbook
// component that opens what it writes with the desktop's program.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>

#include "output/ExportUi.h"
#include "output/XlsxWorkbookServer.h"

class QFileDialog;

namespace output {

// Opens a file with the program the desktop associates with it; false
// when that fails.
bool OpenWithDesktop(const std::string& path);

class CQtExportUi : public ExportUi {
 public:
  // Dialogs are parented to parent (the main window). Written workbooks go
  // into directory (empty: the runtime or temporary directory) and are
  // opened by opener.
  explicit CQtExportUi(QWidget* parent, XlsxWorkbookServer::Opener opener = OpenWithDesktop,
                       std::filesystem::path directory = {});

  std::optional<bool> AskSelection(int total, int selected) override;
  std::optional<std::string> AskSaveFile() override;
  AutomationServer& Server() override { return m_server; }

  // The save dialog as AskSaveFile shows it: text files, ".txt" added to a
  // name without extension, a question before an existing file is replaced.
  static void SetUpSaveDialog(QFileDialog& dialog);

 private:
  QPointer<QWidget> m_parent;
  XlsxWorkbookServer m_server;
};

}  // namespace output
