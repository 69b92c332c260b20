#include "framework/win32/ToolBarCtrl.h"

#include <vector>

namespace fw::win32 {

bool CToolBarCtrl::AddButtons(const res::ToolbarTemplate& tpl) const {
  SendMsg(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (const res::Id id : tpl.buttons) {
    TBBUTTON b{};
    b.idCommand = static_cast<int>(id);
    if (id == ID_SEPARATOR) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.iBitmap = image++;
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(b);
  }
  return SendMsg(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

}  // namespace fw::win32
