#include "framework/qt/ActionCmdUI.h"

namespace fw::qt {

void ActionCmdUI::Enable(bool on) {
  CCmdUI::Enable(on);
  if (m_action->isEnabled() != on) m_action->setEnabled(on);
}

void ActionCmdUI::SetCheck(int check) {
  CCmdUI::SetCheck(check);
  if (!m_action->isCheckable()) m_action->setCheckable(true);
  if (m_action->isChecked() != (check != 0)) m_action->setChecked(check != 0);
}

}  // namespace fw::qt
