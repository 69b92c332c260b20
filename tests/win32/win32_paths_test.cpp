// Paths at the edge to the system's W calls: UTF-16, and the long form for
// paths past the system's old limit, made from the program's own spelling.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/SystemPath.h"

namespace {

using platform::win32::kLongPathFrom;
using platform::win32::SystemPath;

TEST(Win32Paths, LongFullyQualifiedPathsTakeTheLongForm) {
  const std::string a(kLongPathFrom, 'a');
  const std::wstring wa(a.begin(), a.end());
  const std::pair<std::string, std::wstring> cases[] = {
      {"C:\\Daten\\\xCE\xA9mega \xE6\x97\xA5\xE6\x9C\xAC", L"C:\\Daten\\Ωmega 日本"},  // short: as it is
      {"C:\\" + a.substr(3), L"\\\\?\\C:\\" + wa.substr(3)},                          // the limit reached
      {"C:\\" + a.substr(4), L"C:\\" + wa.substr(4)},                                 // one short of it
      {"d:/" + a + "/./x/../y\\\\*.*", L"\\\\?\\d:\\" + wa + L"\\y\\*.*"},             // spelled plainly
      {"C:\\..\\" + a + "\\", L"\\\\?\\C:\\" + wa + L"\\"},                          // ".." stops at the root
      {"\\\\server\\share\\" + a, L"\\\\?\\UNC\\server\\share\\" + wa},
      {"\\\\server\\share\\..\\" + a, L"\\\\?\\UNC\\server\\share\\" + wa},
      // Completed by the system from the current directory, and device forms: as they are.
      {"x\\" + a, L"x\\" + wa},
      {"C:" + a, L"C:" + wa},
      {"\\" + a, L"\\" + wa},
      {"\\\\?\\C:\\" + a, L"\\\\?\\C:\\" + wa},
      {"\\\\.\\pipe\\" + a, L"\\\\.\\pipe\\" + wa},
      // Damaged text never names another file.
      {std::string("C:\\a\0b", 6), L"C:\\a\uFFFDb"},
      {"C:\\a\xff\xc3", L"C:\\a\uFFFD\uFFFD"},
      {"", L""}};
  for (const auto& [path, system] : cases) EXPECT_EQ(SystemPath(path), system) << path;
}

}  // namespace
