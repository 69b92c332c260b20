// "Datensatzauswahl" on Windows (dialog template 135): whether every row or
// only the selected rows of a list are exported.
#pragma once

#include "framework/win32/Dialog.h"

namespace output::win32 {

class CExportSelectDlg : public fw::win32::CDialog {
 public:
  CExportSelectDlg();

  int m_nTotal = 0;       // rows in the list
  int m_nSelected = 0;    // selected rows
  int m_nSelection = -1;  // the button on after OK: 0 every row, 1 the selected rows

 protected:
  // The captions carry the counts; the second button is on when rows are
  // selected, else the first, and has the focus.
  bool OnInitDialog() override;
  void OnOK() override;
};

}  // namespace output::win32
