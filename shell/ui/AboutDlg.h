#pragma once

#include "framework/ui/DialogBuilder.h"

namespace shell {

// The about box, dialog template 100, with the folder icon.
class CAboutDlg : public fw::ui::CDialog {
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace shell
