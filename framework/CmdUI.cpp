#include "framework/CmdUI.h"

namespace fw {

void CCmdUI::Enable(bool on) {
  m_bEnabled = on;
  m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check) { m_nCheck = check; }

void CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler) {
  if (target == nullptr) return;
  m_bEnableChanged = false;
  target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (disableIfNoHandler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info;
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
  }
}

}  // namespace fw
