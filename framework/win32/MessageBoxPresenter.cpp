#include "framework/win32/MessageBoxPresenter.h"

#include <utility>

#include "framework/win32/ResText.h"
#include "platform/win32/Utf16.h"

namespace fw::win32 {

namespace {
// The system's style for a request's icon and buttons.
UINT MessageBoxStyle(const MessageBoxRequest& request) {
  UINT style = MB_OK;
  switch (request.buttons) {
    case MsgButtons::kOk: style = MB_OK; break;
    case MsgButtons::kYesNo: style = MB_YESNO; break;
    case MsgButtons::kYesNoCancel: style = MB_YESNOCANCEL; break;
  }
  switch (request.icon) {
    case MsgIcon::kNone: break;
    case MsgIcon::kStop: style |= MB_ICONHAND; break;
    case MsgIcon::kExclamation: style |= MB_ICONEXCLAMATION; break;
    case MsgIcon::kInformation: style |= MB_ICONASTERISK; break;
    case MsgIcon::kQuestion: style |= MB_ICONQUESTION; break;
  }
  return style;
}
}  // namespace

MessageBoxPresenter MessageBoxPresenterFor(std::function<HWND()> owner) {
  return [owner = std::move(owner)](const MessageBoxRequest& request) {
    const std::wstring title =
        request.title.empty() ? ResText(IDS_APP_TITLE) : platform::win32::Widen(request.title);
    return ::MessageBoxW(owner ? owner() : nullptr, platform::win32::Widen(request.text).c_str(), title.c_str(),
                         MessageBoxStyle(request));
  };
}

}  // namespace fw::win32
