// <windows.h> for the platform layer. The header maps GetDriveType,
// GetVolumeInformation and GetDiskFreeSpace to their A/W forms by macro,
// which would rename the FileSystem members of the same names; the macros
// are dropped here (the layer calls the A forms by their own names).
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
