// A menu bar or popup menu made from a menu template of res/, owned until
// it is handed to a window (Detach) or destroyed with this object. Item
// texts keep their '&' mnemonics and their "\t" key texts.
#pragma once

#include "framework/win32/WinApi.h"
#include "res/ResourceTypes.h"

namespace fw::win32 {

class CMenu {
 public:
  CMenu() = default;
  explicit CMenu(HMENU menu) : m_hMenu(menu) {}
  CMenu(CMenu&& other) noexcept : m_hMenu(other.Detach()) {}
  CMenu& operator=(CMenu&& other) noexcept;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  ~CMenu();

  static CMenu MenuBar(const res::MenuTemplate& tpl);
  static CMenu Popup(const res::MenuPopup& popup);

  HMENU Handle() const { return m_hMenu; }
  HMENU Detach();

  int ItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  HMENU SubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
  bool EnableItem(UINT id, bool on) const {
    return ::EnableMenuItem(m_hMenu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)) != -1;
  }
  bool CheckItem(UINT id, bool on) const {
    return ::CheckMenuItem(m_hMenu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)) != static_cast<DWORD>(-1);
  }
  // Opens as a context menu at a screen point; the command goes to owner.
  bool Track(HWND owner, POINT screen, UINT flags = TPM_CENTERALIGN | TPM_RIGHTBUTTON) const {
    return ::TrackPopupMenu(m_hMenu, flags, screen.x, screen.y, 0, owner, nullptr) != FALSE;
  }

 private:
  HMENU m_hMenu = nullptr;
};

}  // namespace fw::win32
