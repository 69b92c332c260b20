// A display on Linux: a Qt platform named in QT_QPA_PLATFORM (offscreen,
// say), or an X11 or Wayland display.
#include <cstdlib>

#include "platform/Display.h"

namespace platform {

namespace {
bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}
}  // namespace

bool HasDisplay() { return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

}  // namespace platform
