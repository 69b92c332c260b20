#include "framework/win32/Menu.h"

#include <string>
#include <utility>

#include "platform/win32/Utf16.h"

namespace fw::win32 {

namespace {
void AppendItems(HMENU menu, const res::MenuPopup& popup) {
  for (const res::MenuItem& item : popup.items) {
    if (item.id == ID_SEPARATOR && item.text.empty()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      ::AppendMenuW(menu, MF_STRING, item.id, platform::win32::Widen(item.text).c_str());
    }
  }
}
}  // namespace

CMenu& CMenu::operator=(CMenu&& other) noexcept {
  if (this != &other) {
    if (m_hMenu != nullptr) ::DestroyMenu(m_hMenu);
    m_hMenu = other.Detach();
  }
  return *this;
}

CMenu::~CMenu() {
  if (m_hMenu != nullptr) ::DestroyMenu(m_hMenu);
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }

CMenu CMenu::MenuBar(const res::MenuTemplate& tpl) {
  CMenu bar(::CreateMenu());
  for (const res::MenuPopup& popup : tpl.popups) {
    CMenu sub = Popup(popup);
    ::AppendMenuW(bar.Handle(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.Detach()),
                  platform::win32::Widen(popup.title).c_str());
  }
  return bar;
}

CMenu CMenu::Popup(const res::MenuPopup& popup) {
  CMenu menu(::CreatePopupMenu());
  AppendItems(menu.Handle(), popup);
  return menu;
}

}  // namespace fw::win32
