// The application's message box: title string 130, a format string from the
// string table and a kind that selects icon and buttons.
#pragma once

#include "res/resource.h"

namespace fw {

enum MessageKind : int {
  MSG_ERROR = 1,
  MSG_WARNING = 2,
  MSG_SILENT = 3,
  MSG_INFO = 4,
  MSG_YESNO = 5,
  MSG_YESNOCANCEL = 6,
};

// app is not read. The result is the box's result, or 0 when nothing is
// shown (kind 3 and kinds outside 1..6).
int AppMessageBox(const void* app, int kind, res::Id stringId, ...);

}  // namespace fw
