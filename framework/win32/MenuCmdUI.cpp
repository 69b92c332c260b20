#include "framework/win32/MenuCmdUI.h"

namespace fw::win32 {

void CMenuCmdUI::Enable(bool on) {
  CCmdUI::Enable(on);
  ::EnableMenuItem(m_hMenu, m_nID, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::SetCheck(int check) {
  CCmdUI::SetCheck(check);
  ::CheckMenuItem(m_hMenu, m_nID, MF_BYCOMMAND | (check != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::UpdatePopup(HMENU popup, CCmdTarget& target) {
  const int count = ::GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = ::GetMenuItemID(popup, i);
    // Separators have id 0, sub-menus -1.
    if (id == 0 || id == static_cast<UINT>(-1)) continue;
    CMenuCmdUI ui(popup, id);
    ui.DoUpdate(&target, true);
  }
}

}  // namespace fw::win32
