#include "platform/win32/SystemPath.h"

#include <algorithm>
#include <vector>

#include "platform/win32/Utf16.h"

namespace platform::win32 {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveAbsolute(std::wstring_view p) {
  return p.size() >= 3 && p[1] == L':' && IsSeparator(p[2]) &&
         ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z'));
}

// "\\server\..." but not the device forms "\\?\..." and "\\.\...".
bool IsShare(std::wstring_view p) {
  return p.size() >= 3 && IsSeparator(p[0]) && IsSeparator(p[1]) && p[2] != L'?' && p[2] != L'.';
}

// Appends the components of rest to out, each after a backslash, with "."
// dropped and ".." taking away the one before it, never one of the root.
void AppendPlain(std::wstring& out, std::wstring_view rest) {
  std::vector<std::wstring_view> parts;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find_first_of(L"\\/"), rest.size());
    const std::wstring_view part = rest.substr(0, end);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  for (const std::wstring_view part : parts) (out += L'\\') += part;
}

// "\\?\C:\..." or, for "\\server\share\...", "\\?\UNC\server\share\...".
std::wstring LongForm(std::wstring_view p) {
  std::wstring out;
  if (IsShare(p)) {
    constexpr auto npos = std::wstring_view::npos;
    const std::size_t server = p.find_first_of(L"\\/", 2);
    const std::size_t share = server == npos ? npos : p.find_first_of(L"\\/", server + 1);
    out = L"\\\\?\\UNC\\";
    out += p.substr(2, server - 2);
    if (server != npos) (out += L'\\') += p.substr(server + 1, share - server - 1);
    if (share != npos) AppendPlain(out, p.substr(share + 1));
  } else {
    out = L"\\\\?\\";
    out += p.substr(0, 2);
    AppendPlain(out, p.substr(3));
    if (out.back() == L':') out += L'\\';
  }
  if (IsSeparator(p.back()) && out.back() != L'\\') out += L'\\';
  return out;
}

}  // namespace

std::wstring SystemPath(std::string_view path) {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'\0') c = 0xFFFD;
  }
  if (wide.size() < kLongPathFrom || !(IsDriveAbsolute(wide) || IsShare(wide))) return wide;
  return LongForm(wide);
}

}  // namespace platform::win32
