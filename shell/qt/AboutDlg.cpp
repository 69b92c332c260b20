#include "shell/qt/AboutDlg.h"

#include <QLabel>

#include "res/Templates.h"
#include "shell/qt/AppIcon.h"

namespace shell {

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(*res::FindDialog(IDD_ABOUTBOX), parent) {
  if (auto* icon = findChild<QLabel*>(QStringLiteral("icon")); icon != nullptr) {
    icon->setPixmap(AppIcon().pixmap(32, 32));
  }
}

}  // namespace shell
