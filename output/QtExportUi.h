// The export's questions as the program's dialogs, and the workbook
// component that shows what it writes with the desktop's program.
#pragma once

#include <QPointer>
#include <QWidget>

#include "output/DesktopWorkbookViewer.h"
#include "output/ExportUi.h"
#include "output/XlsxWorkbookServer.h"

class QFileDialog;

namespace output {

class CQtExportUi : public ExportUi {
 public:
  // Dialogs are parented to parent (the main window).
  explicit CQtExportUi(QWidget* parent) : m_parent(parent) {}

  std::optional<bool> AskSelection(int total, int selected) override;
  std::optional<std::string> AskSaveFile() override;
  AutomationServer& Server() override { return m_server; }

  // The save dialog as AskSaveFile shows it: text files, ".txt" added to a
  // name without extension, a question before an existing file is replaced.
  static void SetUpSaveDialog(QFileDialog& dialog);

 private:
  QPointer<QWidget> m_parent;
  CDesktopWorkbookViewer m_viewer;
  XlsxWorkbookServer m_server{m_viewer};
};

}  // namespace output
