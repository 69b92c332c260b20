#pragma once

#include "framework/MessageBox.h"

namespace shell {

// Shows message box requests as QMessageBox, owned by the active main window.
fw::MessageBoxPresenter QtMessageBoxPresenter();

}  // namespace shell
