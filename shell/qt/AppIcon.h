// The program's icon, the same pictures the desktop shows for it.
#pragma once

#include <QIcon>

namespace shell {

// Every drawn size, from 16 to 256 pixels.
QIcon AppIcon();

}  // namespace shell
