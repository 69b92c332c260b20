#include "output/qt/QtExportUi.h"

#include <QFile>
#include <QFileDialog>

#include "framework/qt/Text.h"
#include "output/qt/ExportSelectDlg.h"
#include "res/resource.h"

namespace output {

std::optional<bool> CQtExportUi::AskSelection(int total, int selected) {
  CExportSelectDlg dlg(m_parent);
  dlg.m_nTotal = total;
  dlg.m_nSelected = selected;
  if (dlg.DoModal() != IDC_OK) return std::nullopt;
  return dlg.m_nSelection == 1;
}

void CQtExportUi::SetUpSaveDialog(QFileDialog& dialog) {
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(fw::qt::ResString(IDS_EXPORT_FILTER).section(QLatin1Char('|'), 0, 0));
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
}

std::optional<std::string> CQtExportUi::AskSaveFile() {
  QFileDialog dialog(m_parent);
  SetUpSaveDialog(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  // The full path, as bytes of the file system's encoding.
  return QFile::encodeName(files.front()).toStdString();
}

}  // namespace output
