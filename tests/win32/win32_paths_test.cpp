// Paths at the edge to the system's W calls: UTF-16, and the long form for
// paths past the system's old limit, made from the program's own spelling;
// a tree that deep listed, scanned and written into.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileReplace.h"
#include "platform/win32/SystemPath.h"
#include "tests/core/dirscan_run.h"
#include "tests/win32/Win32TestFiles.h"

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
      // Damaged text never names another file.
      {std::string("C:\\a\0b", 6), L"C:\\a\uFFFDb"},
      {"C:\\a\xff\xc3", L"C:\\a\uFFFD\uFFFD"},
      {"", L""}};
  for (const auto& [path, system] : cases) EXPECT_EQ(SystemPath(path), system) << path;
}

// Five levels of sixty characters: paths far past 260 characters. The last
// name ends in a dot, which only the long form keeps (the ordinary form
// drops it), so a call that did not get the long form fails.
TEST(Win32Paths, TreesPastTheOldLimitAreListedScannedAndWrittenInto) {
  const win32test::TempFolder folder;
  std::wstring below;
  std::vector<std::string> dirs{folder.Utf8()};
  for (wchar_t level = L'a'; level < L'f'; ++level) {
    below += (below.empty() ? L"" : L"\\") + std::wstring(60, level) + (level == L'e' ? L"." : L"");
    ASSERT_TRUE(folder.MakeDir(below));
    dirs.push_back(folder.Utf8(below));
  }
  ASSERT_GT(dirs.back().size(), 300u);
  ASSERT_TRUE(folder.MakeFile(below + L"\\datei.bin", "1234567"));
  const auto entries = win32test::List(dirs.back());
  EXPECT_TRUE(entries.size() == 1 && entries[0].name == "datei.bin" && entries[0].size == 7);

  std::vector<dirscantest::Row> rows;
  for (std::uint32_t i = 0; i < dirs.size(); ++i) {
    const std::uint32_t beneath = static_cast<std::uint32_t>(dirs.size()) - 1 - i;
    rows.push_back({dirs[i], beneath, 7, 1, beneath == 0 ? 7u : 0u, beneath == 0 ? 1u : 0u});
  }
  EXPECT_EQ(dirscantest::Scan(platform::FileSystem::Native(), dirs[0]).rows, rows);

  // Written new, then replaced through a file beside it that leaves nothing behind.
  platform::Job job(platform::FileSystem::Native());
  const std::string list = dirs.back() + "\\Liste.txt";
  for (const char* contents : {"neu", "ersetzt"}) {
    EXPECT_EQ(platform::WriteFileContents(job, list, contents), 0);
    EXPECT_EQ(folder.Read(below + L"\\Liste.txt"), contents);
  }
  EXPECT_EQ(win32test::List(dirs.back()).size(), 2u);
  // Refused: a read-only file, a folder, and everything once the job was given up.
  ASSERT_TRUE(::SetFileAttributesW(win32test::Long(folder.Path(below + L"\\Liste.txt")).c_str(),
                                   FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(platform::WriteFileContents(job, list, "x"), EACCES);
  EXPECT_EQ(platform::WriteFileContents(job, dirs.back(), "x"), EISDIR);
  job.GiveUp();
  platform::FindData data;
  EXPECT_EQ(platform::FileSystem::Native().FindFirst(job, dirs.back(), data, platform::FindLevel::kFull), nullptr);
  EXPECT_NE(platform::WriteFileContents(job, dirs.back() + "\\neu.txt", "x"), 0);
  EXPECT_EQ(win32test::List(dirs.back()).size(), 2u);
  EXPECT_EQ(folder.Read(below + L"\\Liste.txt"), "ersetzt");
}

}  // namespace
