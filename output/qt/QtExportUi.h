// The export's questions as the program's dialogs, and the workbook
// component that shows what it writes with the desktop's program.
#pragma once

#include <QPointer>
#include <QWidget>

#include "output/ExportUi.h"
#include "output/XlsxSpreadsheet.h"
#include "output/qt/DesktopWorkbookViewer.h"
#include "platform/FileSystem.h"


class QFileDialog;

namespace output {

class CQtExportUi : public ExportUi {
 public:
  // Dialogs are parented to parent (the main window); the file work on fs
  // is waited for by runner.
  CQtExportUi(QWidget* parent, platform::FileSystem& fs, fw::JobRunner& runner)
      : m_parent(parent), m_fs(fs), m_runner(runner) {}

  std::optional<bool> AskSelection(int total, int selected) override;
  std::optional<std::string> AskSaveFile() override;
  Spreadsheet& Program() override { return m_program; }
  platform::FileSystem& Files() override { return m_fs; }
  fw::JobRunner& Runner() override { return m_runner; }

  // The save dialog as AskSaveFile shows it: text files, ".txt" added to a
  // name without extension, a question before an existing file is replaced.
  static void SetUpSaveDialog(QFileDialog& dialog);

 private:
  QPointer<QWidget> m_parent;
  platform::FileSystem& m_fs;
  fw::JobRunner& m_runner;
  CDesktopWorkbookViewer m_viewer;
  XlsxSpreadsheet m_program{m_viewer, m_fs, m_runner};
};

}  // namespace output
