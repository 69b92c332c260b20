// The update-UI request for one command: a handler sets the enabled state and
// the check mark of whatever shows the command (menu item, toolbar button).
#pragma once

#include "framework/CmdTarget.h"

namespace fw {

class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : m_nID(id) {}
  virtual ~CCmdUI() = default;

  virtual void Enable(bool on = true);
  virtual void SetCheck(int check = 1);  // 0 off, 1 on

  // Routes the update request through target. When nobody answers it and
  // disableIfNoHandler is set, the command is disabled unless some target
  // has a command handler for it, as the framework does.
  void DoUpdate(CCmdTarget* target, bool disableIfNoHandler);

  UINT m_nID;
  bool m_bEnableChanged = false;
  bool m_bEnabled = true;
  int m_nCheck = 0;
};

}  // namespace fw
