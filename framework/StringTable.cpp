#include "framework/StringTable.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "res/Strings.h"

namespace fw {

std::string_view LoadResString(res::Id id) {
  for (const auto& e : res::StringTable()) {
    if (e.id == id) return e.text;
  }
  return {};
}

std::string_view PromptText(res::Id id) {
  std::string_view s = LoadResString(id);
  return s.substr(0, s.find('\n'));
}

std::string_view TooltipText(res::Id id) {
  std::string_view s = LoadResString(id);
  const auto nl = s.find('\n');
  return nl == std::string_view::npos ? std::string_view{} : s.substr(nl + 1);
}

std::string FormatV(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    out.assign(buf.data(), static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}

}  // namespace fw
