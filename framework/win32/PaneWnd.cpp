#include "framework/win32/PaneWnd.h"

#include "framework/win32/ResText.h"

namespace fw::win32 {

bool CPaneWnd::CreatePane(HWND parent, UINT id, res::Id name) {
  return CWindowImpl::Create(parent, ResText(name).c_str(), WS_CHILD | WS_VISIBLE, 0, id);
}

const MessageMap* CPaneWnd::PaneMap() {
  static constexpr MessageEntry entries[] = {
      Msg::On<&CPaneWnd::OnSize>(WM_SIZE),
      Msg::On<&CPaneWnd::OnSetFocus>(WM_SETFOCUS),
  };
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

LRESULT CPaneWnd::OnSize(WPARAM, LPARAM) {
  if (Control() != nullptr) CWindow(Control()).Move(ClientRect());
  return 0;
}

LRESULT CPaneWnd::OnSetFocus(WPARAM, LPARAM) {
  if (Control() != nullptr) ::SetFocus(Control());
  return 0;
}

}  // namespace fw::win32
