// Update-UI for a toolbar button: enabled state and pressed (checked)
// state, set through the command routing whenever the program goes idle.
#pragma once

#include "framework/CmdUI.h"
#include "framework/win32/ToolBarCtrl.h"

namespace fw::win32 {

class CToolBarCmdUI : public CCmdUI {
 public:
  CToolBarCmdUI(const CToolBarCtrl& bar, UINT id) : CCmdUI(id), m_bar(bar) {}

  void Enable(bool on = true) override;
  void SetCheck(int check = 1) override;

  // Every button of the bar, through target's routing; a button whose
  // command nobody handles is disabled.
  static void UpdateButtons(const CToolBarCtrl& bar, CCmdTarget& target);

 private:
  const CToolBarCtrl& m_bar;
};

}  // namespace fw::win32
