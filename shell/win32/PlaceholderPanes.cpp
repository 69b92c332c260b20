#include "shell/win32/PlaceholderPanes.h"

#include "framework/win32/ResText.h"

namespace shell::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;

fw::win32::WindowClass CPlaceholderPane::GetWindowClass() const {
  fw::win32::WindowClass wc;
  wc.name = L"KolbrinPane";
  wc.background = ::GetSysColorBrush(COLOR_WINDOW);
  return wc;
}

const MessageMap* CPlaceholderPane::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CPlaceholderPane::OnLButtonDown>(WM_LBUTTONDOWN)};
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

LRESULT CPlaceholderPane::OnLButtonDown(WPARAM, LPARAM) {
  SetFocus();
  return 0;
}

PaneWindow CPlaceholderPanes::CreatePane(PaneSlot slot, HWND parent, CKolbrinDoc&) {
  static constexpr res::Id kNames[] = {IDS_NAME_DRIVE_TREE, IDS_NAME_FILE_LIST, IDS_NAME_DIR_LIST};
  auto pane = std::make_unique<CPlaceholderPane>();
  const std::wstring name = fw::win32::ResText(kNames[static_cast<int>(slot)]);
  if (!pane->Create(parent, name.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE)) return {};
  const HWND hwnd = pane->Handle();
  m_panes.push_back(std::move(pane));
  return {hwnd, nullptr};
}

}  // namespace shell::win32
