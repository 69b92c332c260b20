// <windows.h> and the common controls, for the Windows front end.
#pragma once

#include "platform/win32/Win32Api.h"

#include <commctrl.h>
