// A path as the W functions take it. The program spells paths the way the
// user sees them ("C:\Daten\Brief.txt", "\\server\share\Brief.txt"), in
// UTF-8; the system wants UTF-16, and passes its old limit of MAX_PATH
// characters only for the long form "\\?\C:\..." ("\\?\UNC\server\share\..."
// for a share). The system takes that form literally, so '/' and the
// components "." and ".." are made plain here before it is used.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Paths this long and longer take the long form: the ordinary form stops at
// MAX_PATH, and for a directory twelve characters earlier (room for a file
// name in 8.3 form).
inline constexpr std::size_t kLongPathFrom = 260 - 12;

// path in UTF-16, in the long form when it is fully qualified and reaches
// kLongPathFrom. A relative or drive-relative path ("Brief.txt", "C:Brief.txt",
// "\Daten"), which the system completes from the current directory, a short
// path and a path already in a device form pass as they are. Invalid UTF-8
// and NUL characters become U+FFFD, so a damaged path never names another
// file.
std::wstring SystemPath(std::string_view path);

}  // namespace platform::win32
