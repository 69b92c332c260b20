// State of the keyboard's lock keys, for the status bar's indicators.
#pragma once

namespace platform {

struct LockKeys {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// Never fails: a key whose state cannot be read counts as off.
LockKeys QueryLockKeys();

}  // namespace platform
