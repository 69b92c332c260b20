#include "shell/AboutDlg.h"

#include <QIcon>
#include <QLabel>

#include "res/Templates.h"

namespace shell {

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(*res::FindDialog(IDD_ABOUTBOX), parent) {
  if (auto* icon = findChild<QLabel*>(QStringLiteral("icon")); icon != nullptr) {
    icon->setPixmap(QIcon(QStringLiteral(":/res/icon128_32.xpm")).pixmap(32, 32));
  }
}

}  // namespace shell
