// The program keeps its text in UTF-8; the Windows API's W functions take
// UTF-16. These convert at that edge. Invalid UTF-8 becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// A counted UTF-16 text, as a BSTR or a buffer the system filled gives it.
inline std::string Narrow(const wchar_t* text, std::size_t length) {
  return text == nullptr ? std::string() : Narrow(std::wstring_view(text, length));
}

}  // namespace platform::win32
