// Lock-key state on Windows: the toggle bit of each key's state.
#include "platform/win32/Win32Api.h"

#include "platform/Keyboard.h"

namespace platform {

LockKeys QueryLockKeys() {
  LockKeys keys;
  keys.caps = (::GetKeyState(VK_CAPITAL) & 1) != 0;
  keys.num = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
  keys.scroll = (::GetKeyState(VK_SCROLL) & 1) != 0;
  return keys;
}

}  // namespace platform
