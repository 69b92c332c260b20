#include "output/win32/ExportSelectDlg.h"

#include "framework/StringTable.h"
#include "framework/win32/Button.h"
#include "res/Templates.h"

namespace output::win32 {

namespace {
constexpr res::Id kButtons[] = {IDC_RADIO_ALLE, IDC_RADIO_SEL};
}  // namespace

CExportSelectDlg::CExportSelectDlg() : CDialog(*res::FindDialog(IDD_EXPORT_SELECT)) {}

bool CExportSelectDlg::OnInitDialog() {
  const auto caption = [&](res::Id format, int count) {
    return fw::FormatV(std::string(fw::LoadResString(format)).c_str(), count);
  };
  fw::win32::CWindow(DlgItem(IDC_RADIO_ALLE)).SetText(caption(IDS_EXPORT_ALL, m_nTotal));
  fw::win32::CWindow(DlgItem(IDC_RADIO_SEL)).SetText(caption(IDS_EXPORT_SELECTED, m_nSelected));
  m_nSelection = m_nSelected != 0 ? 1 : 0;
  const fw::win32::CButton on(DlgItem(static_cast<int>(kButtons[m_nSelection])));
  on.SetCheck(BST_CHECKED);
  // Focus on the first button would turn that one on.
  on.SetFocus();
  return false;
}

void CExportSelectDlg::OnOK() {
  m_nSelection = -1;
  for (int i = 0; i < 2; ++i) {
    if (fw::win32::CButton(DlgItem(static_cast<int>(kButtons[i]))).Check() == BST_CHECKED) m_nSelection = i;
  }
  End(IDOK);
}

}  // namespace output::win32
