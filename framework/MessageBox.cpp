#include "framework/MessageBox.h"

#include <utility>

#include "framework/StringTable.h"

namespace fw {

namespace {
MessageBoxPresenter& Presenter() {
  static MessageBoxPresenter presenter;
  return presenter;
}
}  // namespace

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}

int ShowMessageBox(const MessageBoxRequest& request) {
  const auto& presenter = Presenter();
  return presenter ? presenter(request) : 0;
}

int AfxMessageBox(res::Id stringId) {
  MessageBoxRequest r;
  r.text = std::string(LoadResString(stringId));
  r.title = std::string(LoadResString(AFX_IDS_APP_TITLE));
  r.icon = MsgIcon::kExclamation;
  return ShowMessageBox(r);
}

}  // namespace fw
