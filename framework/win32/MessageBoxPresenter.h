// The message boxes of the widget-free code shown with MessageBoxW, owned
// by the window owner() names when the box opens (none when it gives null).
#pragma once

#include <functional>

#include "framework/MessageBox.h"
#include "framework/win32/WinApi.h"

namespace fw::win32 {

// A request without a title gets the program's, string 130.
MessageBoxPresenter MessageBoxPresenterFor(std::function<HWND()> owner);

}  // namespace fw::win32
