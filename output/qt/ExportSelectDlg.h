// "Datensatzauswahl": whether every row or only the selected rows of a list
// are exported. Dialog template 135.
#pragma once

#include "framework/qt/DialogBuilder.h"

namespace output {

class CExportSelectDlg : public fw::qt::CDialog {
 public:
  explicit CExportSelectDlg(QWidget* parent = nullptr);

  // Sets the captions from the counts and turns on the second button when
  // rows are selected, else the first; called by DoModal.
  void OnInitDialog();

  // Runs the dialog; IDC_OK (1) or IDC_CANCEL (2).
  int DoModal();

  // OK keeps the index of the button that is on in m_nSelection.
  void accept() override;

  int m_nTotal = 0;       // rows in the list
  int m_nSelected = 0;    // selected rows
  int m_nSelection = -1;  // 0 every row, 1 the selected rows, -1 none

 private:
  // Moves m_nSelection to the buttons (false) or back (true).
  void UpdateData(bool save);
};

}  // namespace output
