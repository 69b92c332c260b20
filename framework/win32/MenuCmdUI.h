// Update-UI for a menu item: enabled state and check mark, set through the
// command routing before its popup opens (WM_INITMENUPOPUP).
#pragma once

#include "framework/CmdUI.h"
#include "framework/win32/WinApi.h"

namespace fw::win32 {

class CMenuCmdUI : public CCmdUI {
 public:
  CMenuCmdUI(HMENU menu, UINT id) : CCmdUI(id), m_hMenu(menu) {}

  void Enable(bool on = true) override;
  void SetCheck(int check = 1) override;

  // Every command item of the popup, through target's routing; an item
  // whose command nobody handles is greyed.
  static void UpdatePopup(HMENU popup, CCmdTarget& target);

 private:
  HMENU m_hMenu;
};

}  // namespace fw::win32
