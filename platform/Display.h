// Whether there is a graphical display to show the window on, asked before
// the window's application object exists.
#pragma once

namespace platform {

bool HasDisplay();

}  // namespace platform
