#pragma once

#include "framework/qt/DialogBuilder.h"

namespace shell {

// The about box, dialog template 100, with the folder icon.
class CAboutDlg : public fw::qt::CDialog {
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace shell
