// Message boxes without widgets: the request is described here and shown by
// the presenter that the user interface installs (tests install their own).
#pragma once

#include <functional>
#include <string>

#include "res/resource.h"

namespace fw {

enum class MsgIcon { kNone, kStop, kExclamation, kInformation, kQuestion };
enum class MsgButtons { kOk, kYesNo, kYesNoCancel };

// Results, as the platform's message box reports them.
inline constexpr int IDRESULT_OK = 1;
inline constexpr int IDRESULT_CANCEL = 2;
inline constexpr int IDRESULT_YES = 6;
inline constexpr int IDRESULT_NO = 7;

struct MessageBoxRequest {
  std::string text;
  std::string title;
  MsgIcon icon = MsgIcon::kNone;
  MsgButtons buttons = MsgButtons::kOk;
};

using MessageBoxPresenter = std::function<int(const MessageBoxRequest&)>;

// Installs the presenter and returns the one it replaces.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

// Shows the request through the presenter; 0 when there is none.
int ShowMessageBox(const MessageBoxRequest& request);

// The framework's standard box for a string resource: OK, the warning icon,
// the application title as caption.
int AfxMessageBox(res::Id stringId);

}  // namespace fw
