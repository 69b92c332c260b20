#include "platform/win32/Win32Api.h"

#include "platform/TextFileBytes.h"
#include "platform/win32/Utf16.h"

namespace platform {
namespace {

constexpr UINT kWesternEurope = 1252;

// text in code page 1252, or false when a character has no place there.
// No best fit: a character the code page only resembles ("ă" for "a") does
// not fit.
bool ToWesternEurope(const std::wstring& text, std::string& out) {
  const int size = static_cast<int>(text.size());
  BOOL lost = FALSE;
  const int bytes = ::WideCharToMultiByte(kWesternEurope, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                          nullptr, &lost);
  if (bytes <= 0 || lost) return false;
  out.assign(static_cast<std::size_t>(bytes), '\0');
  return ::WideCharToMultiByte(kWesternEurope, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), bytes,
                               nullptr, &lost) == bytes &&
         !lost;
}

}  // namespace

std::string TextFileBytes(std::string_view utf8) {
  if (utf8.empty()) return {};
  const std::wstring text = win32::Widen(utf8);
  std::string bytes;
  if (ToWesternEurope(text, bytes)) return bytes;
  return "\xEF\xBB\xBF" + win32::Narrow(text);
}

}  // namespace platform
