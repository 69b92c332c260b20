#include "output/win32/Win32ExportUi.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/win32/ResText.h"
#include "output/win32/ExportSelectDlg.h"
#include "platform/win32/Utf16.h"

namespace output::win32 {

std::optional<bool> CWin32ExportUi::AskSelection(int total, int selected) {
  CExportSelectDlg dlg;
  dlg.m_nTotal = total;
  dlg.m_nSelected = selected;
  if (dlg.DoModal(m_owner()) != IDOK) return std::nullopt;
  return dlg.m_nSelection == 1;
}

std::optional<std::string> CWin32ExportUi::AskSaveFile() {
  // The filter's parts are split by '|' in the resource, by NUL here.
  std::wstring filter = fw::win32::ResText(IDS_EXPORT_FILTER);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  std::vector<wchar_t> file(32768, L'\0');  // room for a long path
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = m_owner();
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = L"txt";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&ofn) || file[0] == L'\0') return std::nullopt;
  return platform::win32::Narrow(file.data());
}

}  // namespace output::win32
