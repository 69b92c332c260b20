#include "output/win32/Win32ExportUi.h"

#include <commdlg.h>

#include "framework/win32/FileDialog.h"
#include "framework/win32/ResText.h"
#include "output/win32/ExportSelectDlg.h"

namespace output::win32 {

std::optional<bool> CWin32ExportUi::AskSelection(int total, int selected) {
  CExportSelectDlg dlg;
  dlg.m_nTotal = total;
  dlg.m_nSelected = selected;
  if (dlg.DoModal(m_owner()) != IDOK) return std::nullopt;
  return dlg.m_nSelection == 1;
}

std::optional<std::string> CWin32ExportUi::AskSaveFile() {
  fw::win32::CFileDialog dlg(false, L"txt", fw::win32::ResText(IDS_EXPORT_FILTER),
                             OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
  if (!dlg.DoModal(m_owner())) return std::nullopt;
  return dlg.PathName();
}

}  // namespace output::win32
