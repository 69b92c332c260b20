// Update-UI for a command shown as a QAction (menu item and toolbar button).
#pragma once

#include <QAction>

#include "framework/CmdUI.h"

namespace fw::qt {

class ActionCmdUI : public CCmdUI {
 public:
  ActionCmdUI(UINT id, QAction* action) : CCmdUI(id), m_action(action) {}

  void Enable(bool on = true) override;
  void SetCheck(int check = 1) override;

 private:
  QAction* m_action;
};

}  // namespace fw::qt
