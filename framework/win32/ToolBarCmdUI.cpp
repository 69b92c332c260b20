#include "framework/win32/ToolBarCmdUI.h"

namespace fw::win32 {

// Only a change is sent: the bar repaints the button at every message.
void CToolBarCmdUI::Enable(bool on) {
  CCmdUI::Enable(on);
  if (m_bar.IsButtonEnabled(m_nID) != on) m_bar.EnableButton(m_nID, on);
}

void CToolBarCmdUI::SetCheck(int check) {
  CCmdUI::SetCheck(check);
  if (m_bar.IsButtonChecked(m_nID) != (check != 0)) m_bar.CheckButton(m_nID, check != 0);
}

void CToolBarCmdUI::UpdateButtons(const CToolBarCtrl& bar, CCmdTarget& target) {
  const int count = bar.ButtonCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    if (!bar.GetButton(i, b) || (b.fsStyle & BTNS_SEP) != 0) continue;
    CToolBarCmdUI ui(bar, static_cast<UINT>(b.idCommand));
    ui.DoUpdate(&target, true);
  }
}

}  // namespace fw::win32
