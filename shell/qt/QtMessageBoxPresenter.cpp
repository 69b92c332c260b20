#include "shell/qt/QtMessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/qt/Text.h"

namespace shell {

namespace {
QMessageBox::Icon IconOf(fw::MsgIcon icon) {
  switch (icon) {
    case fw::MsgIcon::kStop: return QMessageBox::Critical;
    case fw::MsgIcon::kExclamation: return QMessageBox::Warning;
    case fw::MsgIcon::kInformation: return QMessageBox::Information;
    case fw::MsgIcon::kQuestion: return QMessageBox::Question;
    case fw::MsgIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

int ResultOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return fw::IDRESULT_YES;
    case QMessageBox::No: return fw::IDRESULT_NO;
    case QMessageBox::Cancel: return fw::IDRESULT_CANCEL;
    default: return fw::IDRESULT_OK;
  }
}
}  // namespace

fw::MessageBoxPresenter QtMessageBoxPresenter() {
  return [](const fw::MessageBoxRequest& r) {
    QMessageBox box(IconOf(r.icon), fw::qt::ToQ(r.title), fw::qt::ToQ(r.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    switch (r.buttons) {
      case fw::MsgButtons::kOk: box.setStandardButtons(QMessageBox::Ok); break;
      case fw::MsgButtons::kYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      case fw::MsgButtons::kYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    return ResultOf(box.exec());
  };
}

}  // namespace shell
