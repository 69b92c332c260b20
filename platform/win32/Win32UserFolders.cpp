// The user's folders as the session names them, read as UTF-16 so that a
// user name outside the ANSI code page stays whole.
#include "platform/win32/Win32Api.h"

#include <string>

#include "platform/UserFolders.h"

namespace platform {
namespace {

std::filesystem::path FromEnvironment(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) return std::filesystem::path(value.substr(0, length));
    value.assign(length, L'\0');  // too small: length counts the closing NUL
  }
}

}  // namespace

std::filesystem::path UserHomeFolder() { return FromEnvironment(L"USERPROFILE"); }

std::filesystem::path UserCacheFolder() { return FromEnvironment(L"LOCALAPPDATA"); }

}  // namespace platform
