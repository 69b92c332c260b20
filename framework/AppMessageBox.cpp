#include "framework/AppMessageBox.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/StringTable.h"

namespace fw {

namespace {
std::string FormatArgs(const std::string& format, va_list args) {
  va_list copy;
  va_copy(copy, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int n = std::vsnprintf(nullptr, 0, format.c_str(), copy);
  va_end(copy);
  if (n <= 0) return {};
  std::vector<char> buf(static_cast<size_t>(n) + 1);
  std::vsnprintf(buf.data(), buf.size(), format.c_str(), args);
#pragma GCC diagnostic pop
  return std::string(buf.data(), static_cast<size_t>(n));
}
}  // namespace

int AppMessageBox(const void* /*app*/, int kind, res::Id stringId, ...) {
  std::string format;
  if (stringId != 0) format = std::string(LoadResString(stringId));
  va_list args;
  va_start(args, stringId);
  MessageBoxRequest r;
  r.text = FormatArgs(format, args);
  va_end(args);
  r.title = std::string(LoadResString(IDS_APP_TITLE));
  switch (kind) {
    case MSG_ERROR: r.icon = MsgIcon::kStop; break;
    case MSG_WARNING: r.icon = MsgIcon::kExclamation; break;
    case MSG_INFO: r.icon = MsgIcon::kInformation; break;
    case MSG_YESNO:
      r.icon = MsgIcon::kQuestion;
      r.buttons = MsgButtons::kYesNo;
      break;
    case MSG_YESNOCANCEL:
      r.icon = MsgIcon::kQuestion;
      r.buttons = MsgButtons::kYesNoCancel;
      break;
    default: return 0;  // MSG_SILENT and unknown kinds show nothing
  }
  return ShowMessageBox(r);
}

}  // namespace fw
