// Lock-key state on Linux, from the keyboard LEDs in sysfs
// (<leds>/<device>::capslock/brightness and so on).
#pragma once

#include <string>

#include "platform/Keyboard.h"

namespace platform::posix {

// Any LED of a kind with a non-zero brightness counts as on.
LockKeys ReadLockKeys(const std::string& ledsDirectory);

}  // namespace platform::posix
