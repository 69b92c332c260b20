// Names and paths at the edge to the system's W calls: UTF-16 through the
// program's UTF-8, names outside code page 1252 listed, scanned and exported
// whole, and the text export in code page 1252 exactly when every character
// fits; the long form for paths past the system's old limit, made from the
// program's own spelling, and a tree that deep listed, scanned and written
// into.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "output/ExportTable.h"
#include "platform/FileReplace.h"
#include "platform/Job.h"
#include "platform/TextFileBytes.h"
#include "platform/win32/SystemPath.h"
#include "tests/core/dirscan_run.h"
#include "tests/win32/Win32TestFiles.h"

namespace {

using platform::win32::kLongPathFrom;
using platform::win32::SystemPath;

constexpr const char* kBom = "\xEF\xBB\xBF";

TEST(Win32Export, TextIn1252WhenEveryCharacterFitsElseUtf8WithAMark) {
  const std::pair<std::string, std::string> cases[] = {
      {"Dateiname;Dateigröße\r\nZoë.txt;5 Byte\r\n", "Dateiname;Dateigr\xF6\xDF" "e\r\nZo\xEB.txt;5 Byte\r\n"},
      {"€ „x“ – …", "\x80 \x84x\x93 \x96 \x85"},
      // One character without its place in the code page decides for the whole text.
      {"Zoë\r\nΩmega\r\n", std::string(kBom) + "Zo\xC3\xAB\r\n\xCE\xA9mega\r\n"},
      {"日本", std::string(kBom) + "\xE6\x97\xA5\xE6\x9C\xAC"},
      {"\xC4\x83", std::string(kBom) + "\xC4\x83"},   // "ă" has only a look-alike in 1252
      {"a\xFF", std::string(kBom) + "a\xEF\xBF\xBD"}};  // damaged text, repaired
  for (const auto& [text, bytes] : cases) EXPECT_EQ(platform::TextFileBytes(text), bytes) << text;
}

// "Ωmega" holds "Zoë.txt" (5 bytes) and "日本", which holds "Ωmega.txt" (3 bytes).
TEST(Win32Names, ListedScannedAndExportedWithTheirOwnCharacters) {
  const win32test::TempFolder folder;
  ASSERT_TRUE(folder.MakeDir(L"Ωmega") && folder.MakeFile(L"Ωmega\\Zoë.txt", "12345") &&
              folder.MakeDir(L"Ωmega\\日本") && folder.MakeFile(L"Ωmega\\日本\\Ωmega.txt", "abc"));
  const std::string omega = folder.Utf8() + "\\\xCE\xA9mega", japan = omega + "\\\xE6\x97\xA5\xE6\x9C\xAC";
  output::ExportRows rows{{"Dateiname"}};
  for (const platform::FindData& entry : win32test::List(omega)) rows.push_back({entry.name});
  EXPECT_EQ(rows, (output::ExportRows{{"Dateiname"}, {"Zo\xC3\xAB.txt"}, {"\xE6\x97\xA5\xE6\x9C\xAC"}}));
  EXPECT_EQ(win32test::List(japan).at(0).name, "\xCE\xA9mega.txt");

  using dirscantest::Row;
  EXPECT_EQ(dirscantest::Scan(platform::FileSystem::Native(), omega).rows,
            (std::vector<Row>{{omega, 1, 8, 2, 5, 1}, {japan, 0, 3, 1, 3, 1}}));

  // The names exported: UTF-8 with its mark while "日本" is among them, 1252 without it.
  platform::Job job(platform::FileSystem::Native());
  for (const char* bytes : {"\xEF\xBB\xBF" "Dateiname\r\nZo\xC3\xAB.txt\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n",
                            "Dateiname\r\nZo\xEB.txt\r\n"}) {
    const std::string text = output::CExportTable().FormatText(rows);
    EXPECT_EQ(output::WriteExportFile(job, japan + "\\Liste \xCE\xA9.txt", text), std::nullopt);
    EXPECT_EQ(folder.Read(L"Ωmega\\日本\\Liste Ω.txt"), bytes);
    rows.pop_back();
  }
}

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
