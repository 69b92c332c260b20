// Names as Windows has them, in UTF-16, through the program's UTF-8: names
// outside code page 1252 listed, scanned and exported whole, and the text
// export in code page 1252 exactly when every character fits.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "output/ExportTable.h"
#include "platform/Job.h"
#include "platform/TextFileBytes.h"
#include "tests/core/dirscan_run.h"
#include "tests/win32/Win32TestFiles.h"

namespace {

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

}  // namespace
