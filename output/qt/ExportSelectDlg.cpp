#include "output/qt/ExportSelectDlg.h"

#include <QRadioButton>

#include "framework/StringTable.h"
#include "framework/qt/Text.h"
#include "res/Templates.h"
#include "res/resource.h"

namespace output {

namespace {

void SetCaption(QRadioButton* button, res::Id format, int count) {
  if (button == nullptr) return;
  const std::string text = fw::FormatV(std::string(fw::LoadResString(format)).c_str(), count);
  button->setText(fw::qt::ToQ(text));
}

}  // namespace

CExportSelectDlg::CExportSelectDlg(QWidget* parent)
    : CDialog(*res::FindDialog(IDD_EXPORT_SELECT), parent) {}

void CExportSelectDlg::OnInitDialog() {
  SetCaption(Item<QRadioButton>(IDC_RADIO_ALLE), IDS_EXPORT_ALL, m_nTotal);
  SetCaption(Item<QRadioButton>(IDC_RADIO_SEL), IDS_EXPORT_SELECTED, m_nSelected);
  m_nSelection = m_nSelected != 0 ? 1 : 0;
  UpdateData(false);
}

int CExportSelectDlg::DoModal() {
  OnInitDialog();
  return exec() == QDialog::Accepted ? IDC_OK : IDC_CANCEL;
}

void CExportSelectDlg::accept() {
  UpdateData(true);
  CDialog::accept();
}

void CExportSelectDlg::UpdateData(bool save) {
  QRadioButton* const buttons[] = {Item<QRadioButton>(IDC_RADIO_ALLE),
                                   Item<QRadioButton>(IDC_RADIO_SEL)};
  if (save) m_nSelection = -1;
  for (int i = 0; i < 2; ++i) {
    QRadioButton* b = buttons[i];
    if (b == nullptr) continue;
    if (save && b->isChecked()) m_nSelection = i;
    if (!save) b->setChecked(i == m_nSelection);
  }
}

}  // namespace output
