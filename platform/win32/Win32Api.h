// <windows.h> for the platform layer and the Windows front end. The header
// maps GetDriveType, GetVolumeInformation, GetDiskFreeSpace, GetProfileInt
// and WriteProfileInt to their A/W forms by macro, which would rename the
// members of the same names of FileSystem and of the shell's profile; the
// macros are dropped here (the program calls the A/W forms by their own
// names).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef GetDriveType
#undef GetVolumeInformation
#undef GetDiskFreeSpace
#undef GetProfileInt
#undef WriteProfileInt
