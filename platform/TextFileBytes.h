// The bytes of a text file the user opens in other programs, from the
// program's UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// On Windows the text in code page 1252 (the German interface's ANSI code
// page, no byte-order mark) when every character has its place there;
// otherwise the whole text as UTF-8 after a byte-order mark, so that no
// character is lost or replaced. Invalid UTF-8 becomes U+FFFD then. Elsewhere
// the text as it is.
std::string TextFileBytes(std::string_view utf8);

}  // namespace platform
