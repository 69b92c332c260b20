// The workbook export's automation calls, against a server that records
// every call and release, and the texts a workbook file takes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "output/ExcelExport.h"
#include "output/XlsxFile.h"
#include "tests/core/export_fakes.h"

namespace {

using namespace output;
using Lines = std::vector<std::string>;

struct ExcelExportTest : ::testing::Test {
  exporttest::RecordingServer server;
  exporttest::MessageCatcher messages;
};

TEST_F(ExcelExportTest, MakesTheExactCallSequence) {
  const ExportRows rows = {{"Name", "Pfad", "Dateien"}, {"a", "/x", "1.234 Byte"}, {"b", "", "7"}};
  ASSERT_TRUE(ExportToExcel(rows, server));
  Lines expected = {"create Excel.Application", "app put 558 BOOL:1", "app get 572", "books method 181 I2:-4167",
                    "book get 494 I2:1"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t k = 0; k < rows[i].size(); ++k) {
      const std::string cell = std::string(1, static_cast<char>('A' + k)) + std::to_string(i + 1);
      if (i == 0)  // titles get their width first
        expected.insert(expected.end(),
                        {"sheet get 197 BSTR:" + cell, "range " + cell + " put 242 I2:20", "release range " + cell});
      expected.insert(expected.end(), {"sheet get 197 BSTR:" + cell, "range " + cell + " put 6 BSTR:" + rows[i][k],
                                       "release range " + cell});
    }
  }
  expected.insert(expected.end(),
                  {"book put 298 BOOL:1", "release sheet", "release book", "release books", "release app"});
  EXPECT_EQ(*server.log, expected);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExcelExportTest, EveryTextKeepsItsOwnCellPastColumnZ) {
  ExportRows rows = {{}, {"", "tab\there", "x"}};
  for (int k = 0; k < 28; ++k) rows[0].push_back("T" + std::to_string(k + 1));
  ASSERT_TRUE(ExportToExcel(rows, server));
  for (const char* line : {"range A2 put 6 BSTR:", "range B2 put 6 BSTR:tab\there", "range C2 put 6 BSTR:x",
                           "range Z1 put 6 BSTR:T26", "range AA1 put 242 I2:20", "range AB1 put 6 BSTR:T28"})
    EXPECT_TRUE(server.Logged(line)) << line;
  EXPECT_FALSE(server.Logged("sheet get 197 BSTR:D2"));
}

TEST_F(ExcelExportTest, FailuresAreShownAndEverythingIsReleasedNewestFirst) {
  server.available = false;  // no component to create
  EXPECT_FALSE(ExportToExcel({{"a"}, {"b"}}, server));
  EXPECT_EQ(*server.log, Lines{"create Excel.Application"});
  server.available = true;
  server.failAtCall = 7;  // the Value of A1, after its width
  server.log->clear();
  EXPECT_FALSE(ExportToExcel({{"a", "b"}, {"c", "d"}}, server));
  EXPECT_EQ(Lines(server.log->end() - 6, server.log->end()),
            (Lines{"range A1 put 6 BSTR:a", "release range A1", "release sheet", "release book", "release books",
                   "release app"}));
  ASSERT_EQ(messages.boxes.size(), 2u);
  EXPECT_EQ(messages.boxes[0].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
  EXPECT_EQ(messages.boxes[0].icon, fw::MsgIcon::kExclamation);
  EXPECT_EQ(messages.boxes[1].text, "Zugriff verweigert (Test)");
  EXPECT_EQ(messages.boxes[1].icon, fw::MsgIcon::kStop);
}

TEST(ExcelHelpersTest, ColumnLettersAndFields) {
  const std::pair<unsigned, const char*> letters[] = {{1, "A"},   {26, "Z"},   {27, "AA"},   {52, "AZ"},
                                                      {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
  for (const auto& [n, text] : letters) EXPECT_EQ(ColumnLetters(n), text) << n;
  // Fields counted from 1; empty fields count.
  const struct { const char* text; int index; char sep; bool found; const char* field; } fields[] = {
      {"a\t\tb", 1, '\t', true, "a"}, {"a\t\tb", 2, '\t', true, ""}, {"a\t\tb", 3, '\t', true, "b"},
      {"a\t\tb", 4, '\t', false, ""}, {"", 1, '\t', true, ""},       {"", 2, '\t', false, ""},
      {"a", 0, '\t', false, ""},      {"x;y;", 3, ';', true, ""}};
  for (const auto& c : fields) {
    std::string f = "stale";
    EXPECT_EQ(GetField(f, c.text, c.index, c.sep), c.found) << c.text << " " << c.index;
    EXPECT_EQ(f, c.field) << c.text << " " << c.index;
  }
}

TEST(XlsxTextTest, InvalidUtf8BecomesReplacementCharacters) {
  const std::string r = "\xef\xbf\xbd", valid = "plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf";
  const std::pair<std::string, std::string> cases[] = {
      {valid, valid}, {"a\xff" "b", "a" + r + "b"}, {"\xc3", r},  // cut short
      {"\xc0\xaf", r + r},                                      // overlong
      {"\xe0\x9f\xbf", r + r + r},                              // overlong in three bytes
      {"\xed\xa0\x80", r + r + r},                              // surrogate
      {"\xf4\x90\x80\x80", r + r + r + r},                      // beyond U+10FFFF
      {"\xc3(", r + "("}};                                      // no continuation
  for (const auto& [text, expected] : cases) EXPECT_EQ(ValidUtf8(text), expected);
}

}  // namespace
