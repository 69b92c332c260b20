// A Windows session always has its desktop to show windows on.
#include "platform/Display.h"

namespace platform {

bool HasDisplay() { return true; }

}  // namespace platform
