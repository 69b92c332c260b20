// The exports without widgets: byte counts, table lines, the file and the
// export command with its questions; the workbook export's automation calls
// against a server that records every call and release, and the texts a
// workbook file takes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "output/ExcelExport.h"
#include "output/ExportCommand.h"
#include "output/ExportTable.h"
#include "output/FormatSize.h"
#include "output/XlsxFile.h"
#include "platform/TextFileBytes.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"

namespace {

namespace fs = std::filesystem;
using namespace output;

TEST(FormatSizeTest, GroupsDigitsByThreesOverTheWholeRange) {
  const auto grouped = [](std::uint64_t v) {
    std::string digits = std::to_string(v);
    for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ".");
    return digits + " Byte";
  };
  EXPECT_EQ(output::FormatSize(1234567), "1.234.567 Byte");
  // Group edges, inner zeros, the 32-bit edge of the halves, and from
  // 2^32 * 10^9 on, where the quotient by 10^9 no longer fits in 32 bits.
  std::vector<std::uint64_t> values = {0, 999, 1000, 1000000005, 5000000005, 4294967295, 4294967296,
                                       4294967296000000000ull, 10000000000000000000ull, UINT64_MAX};
  for (std::uint64_t v = 1; v < UINT64_MAX / 7; v = v * 7 + 3) values.push_back(v);
  for (const std::uint64_t v : values) {
    std::string halves = "stale contents";
    output::FormatSize(static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32), halves);
    EXPECT_EQ(halves, grouped(v)) << v;
    EXPECT_EQ(output::FormatSize(v), grouped(v)) << v;
  }
}

TEST(ExportTable, KeepsEveryFieldInItsColumn) {
  output::CExportTable table;
  const std::pair<output::ExportRow, std::string> cases[] = {
      {{"", "", "x", ""}, ";;x;\r\n"},  // a leading empty field keeps its separator
      {{}, "\r\n"},
      {{""}, "\r\n"},
      // Separator, quote and line breaks are quoted; tabs, '&' and raw bytes are not.
      {{"a;b", "say \"hi\"", "two\nlines", "cr\r"}, "\"a;b\";\"say \"\"hi\"\"\";\"two\nlines\";\"cr\r\"\r\n"},
      {{"tab\there", "R&D", "\xff\xfe"}, "tab\there;R&D;\xff\xfe\r\n"}};
  for (const auto& [row, line] : cases) EXPECT_EQ(table.FormatLine(row), line);
  table.m_chSeparator = ',';
  EXPECT_EQ(table.FormatLine({"a;b", "c,d"}), "a;b,\"c,d\"\r\n");
}

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* title : {"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Attribute", "Letzte \xc3\x84nderung",
                              "Hergestellt", "Letzter Zugriff"})
      list.columns.push_back({list.columns.size() == 2 ? 0 : 128, title, output::ColumnFormat::kLeft});
    std::random_device random;  // a folder of its own, whoever else runs these tests
    do dir = fs::temp_directory_path() / ("kolbrin-export-" + std::to_string(random()));
    while (!fs::create_directory(dir));
  }
  void TearDown() override { fs::remove_all(dir); }
  void AddRows(int n) {
    for (int r = 0; r < n; ++r) {
      auto& row = list.cells.emplace_back();
      for (int c = 0; c < 6; ++c) row.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
    }
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static constexpr const char* kTitleLine =
      "Dateiname;Dateigr\xc3\xb6\xc3\x9f" "e;Attribute;Letzte \xc3\x84nderung;Hergestellt;Letzter Zugriff\r\n";
  exporttest::FakeList list;
  exporttest::RecordingSpreadsheet program;
  exporttest::ScriptedUi ui{program};
  exporttest::MessageCatcher messages;
  fs::path dir;
};

// The exact calls are the workbook export's own test; here the chosen rows
// must reach it in list order, with a question only when rows are selected
// (even when every row is).
TEST_F(ExportCommand, WorkbookGetsTheChosenRowsInListOrder) {
  const struct {
    std::set<int> selected;
    bool onlySelected;
    std::vector<std::pair<int, int>> asked;
    std::vector<std::string> present;
    std::string absent;
  } cases[] = {{{}, false, {}, {"cell 1 1 Dateiname", "cell 2 1 r0c0", "cell 4 6 r2c5"}, "cell 5 1"},
               {{2, 0}, true, {{3, 2}}, {"cell 2 1 r0c0", "cell 3 1 r2c0", "cell 3 6 r2c5"}, "cell 4 1"},
               {{0, 1, 2}, false, {{3, 3}}, {"cell 4 1 r2c0"}, "cell 5 1"}};
  AddRows(3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected.size());
    list.selected = c.selected;
    ui.selection = c.onlySelected;
    ui.selectionAsked.clear();
    program.log.clear();
    EXPECT_TRUE(output::RunExport(list, EXPORT_TO_EXCEL, ui));
    EXPECT_EQ(ui.selectionAsked, c.asked);
    for (const std::string& line : c.present) EXPECT_TRUE(program.Logged(line)) << line;
    EXPECT_FALSE(std::any_of(program.log.begin(), program.log.end(),
                             [&c](const std::string& line) { return line.starts_with(c.absent); }));
  }
  EXPECT_EQ(ui.fileAsked, 0);
  EXPECT_TRUE(messages.boxes.empty());
}

// A cancel in either dialog, an empty file name, an unknown mode or a
// document without a user interface export nothing.
TEST_F(ExportCommand, CancelsAndUnknownModesExportNothing) {
  AddRows(2);
  list.selected = {1};
  ui.selection = std::nullopt;
  ui.file = (dir / "out.txt").string();
  EXPECT_FALSE(output::RunExport(list, EXPORT_TO_EXCEL, ui) || output::RunExport(list, EXPORT_TO_FILE, ui));
  EXPECT_EQ(ui.fileAsked, 0);
  ui.selection = true;
  for (const std::optional<std::string>& file : {std::optional<std::string>(), std::optional<std::string>("")}) {
    ui.file = file;
    EXPECT_FALSE(output::RunExport(list, EXPORT_TO_FILE, ui));
  }
  EXPECT_EQ(ui.fileAsked, 2);
  for (int mode : {0, 3}) EXPECT_FALSE(output::RunExport(list, mode, ui));
  shell::CKolbrinDoc().ExportList(list, EXPORT_TO_EXCEL);
  // No question for the unknown modes; no call, file, cell read or message.
  EXPECT_EQ(std::tuple(ui.selectionAsked.size(), program.log.size(), fs::is_empty(dir), list.cellReads,
                       messages.boxes.size()), std::tuple(4u, 0u, true, 0, 0u));
}

TEST_F(ExportCommand, TextFileGoesToTheChosenPathWithEveryColumn) {
  ui.file = (dir / "leer.txt").string();
  shell::CKolbrinDoc doc;
  doc.SetExportUi(&ui);
  doc.ExportList(list, EXPORT_TO_FILE);
  // The titles alone, in the system's text-file encoding (its bytes on Windows: tests/win32).
  EXPECT_EQ(Slurp(dir / "leer.txt"), platform::TextFileBytes(kTitleLine));
  list.cells = {{"brief.txt", "1.234 Byte", "A", "05.12.2026  17:08:06", "", "x"},
                {"a;b\xff.txt", "0 Byte", "", "", "", ""}};
  ui.file = (dir / "sub folder" / "liste.txt").string();
  fs::create_directories(dir / "sub folder");
  const fs::path before = fs::current_path();
  EXPECT_TRUE(output::RunExport(list, EXPORT_TO_FILE, ui));
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_EQ(std::tuple(ui.selectionAsked.size(), ui.fileAsked, program.log.size()), std::tuple(0u, 2, 0u));
  EXPECT_EQ(Slurp(dir / "sub folder" / "liste.txt"),
            platform::TextFileBytes(kTitleLine + std::string("brief.txt;1.234 Byte;A;05.12.2026  17:08:06;;x\r\n"
                                                             "\"a;b\xff.txt\";0 Byte;;;;\r\n")));
  EXPECT_FALSE(fs::exists(before / "liste.txt"));
  EXPECT_TRUE(messages.boxes.empty());
}

// Without rows the file is emptied, keeping its mode: 0640 where the system
// keeps POSIX modes; Windows keeps only a read-only flag and reports the
// mode that gives.
TEST_F(ExportCommand, AnEmptyTableEmptiesTheFileAndTargetsThatCannotBeWrittenAreReported) {
  const fs::path file = dir / "out.txt";
  std::ofstream(file) << "old contents that must go";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms mode = fs::status(file).permissions() & fs::perms::all;
  output::CExportTable table;
  ASSERT_TRUE(table.WriteToFile(file.string(), {}, platform::FileSystem::Native(), fw::RunAtOnce()));
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
  EXPECT_TRUE(messages.boxes.empty());
  fs::create_directory(dir / "taken");  // a folder of that name is not a file to write
  std::ofstream(dir / "taken" / "inside") << "keep";
  const std::pair<fs::path, std::string> cases[] = {
      {dir / "no-such-dir" / "out.txt", "Dateifehler: Der Ordner existiert nicht"},
      {dir / std::string(300, 'n'), ""},  // an overlong name: in the words of the system
      {dir / "taken", "Dateifehler: Unter diesem Namen besteht ein Ordner"}};
  for (const auto& [target, text] : cases) {
    messages.boxes.clear();
    EXPECT_FALSE(table.WriteToFile(target.string(), {{"a", "b"}}, platform::FileSystem::Native(), fw::RunAtOnce())) << target;
    ASSERT_EQ(messages.boxes.size(), 1u) << target;
    const fw::MessageBoxRequest& box = messages.boxes[0];
    EXPECT_TRUE(box.text.starts_with("Dateifehler: ")) << box.text;
    EXPECT_EQ(std::tuple(text.empty() ? text : box.text, box.title, box.icon),
              std::tuple(text, "Kolbrin", fw::MsgIcon::kStop));
  }
  EXPECT_EQ(fs::file_size(dir / "taken" / "inside"), 4u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);  // nothing left behind
}

using Lines = std::vector<std::string>;

struct ExcelExportTest : ::testing::Test {
  exporttest::RecordingSpreadsheet program;
  exporttest::MessageCatcher messages;
};

// Titles in row 1, each column made 20 characters wide before its title;
// every text in a cell of its own, past column Z too, empty ones as well.
TEST_F(ExcelExportTest, TitlesGetTheirWidthsThenEveryTextItsOwnCellThenTheWorkbookIsShown) {
  ExportRows rows = {{}, {"a", "tab\there", ""}};
  for (int k = 1; k <= 28; ++k) rows[0].push_back("T" + std::to_string(k));
  ASSERT_TRUE(ExportToExcel(rows, program));
  Lines expected{"new"};
  for (int k = 1; k <= 28; ++k) {
    const std::string c = std::to_string(k);
    expected.insert(expected.end(), {"width " + c + " 20", "cell 1 " + c + " T" + c});
  }
  expected.insert(expected.end(), {"cell 2 1 a", "cell 2 2 tab\there", "cell 2 3 ", "show", "close"});
  EXPECT_EQ(program.log, expected);
  EXPECT_TRUE(messages.boxes.empty());
}

// No program, a call refused, a program that gave up: the workbook is let
// go before the user is told.
TEST_F(ExcelExportTest, FailuresAreShownOnceTheWorkbookIsClosed) {
  program.available = false;
  EXPECT_FALSE(ExportToExcel({{"a"}, {"b"}}, program));
  EXPECT_EQ(program.log, Lines{"new"});
  program.available = true;
  for (const auto kind : {output::WorkbookError::Kind::kFailed, output::WorkbookError::Kind::kUnavailable}) {
    program.log.clear();
    program.failAtCall = 3;  // the width of column 2
    program.failure = kind;
    EXPECT_FALSE(ExportToExcel({{"a", "b"}, {"c", "d"}}, program));
    EXPECT_EQ(program.log, (Lines{"new", "width 1 20", "cell 1 1 a", "width 2 20", "close"}));
  }
  ASSERT_EQ(messages.boxes.size(), 3u);
  for (const std::size_t i : {0u, 2u}) {
    EXPECT_EQ(messages.boxes[i].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
    EXPECT_EQ(messages.boxes[i].icon, fw::MsgIcon::kExclamation);
  }
  EXPECT_EQ(messages.boxes[1].text, "Zugriff verweigert (Test)");
  EXPECT_EQ(messages.boxes[1].icon, fw::MsgIcon::kStop);
}

TEST(XlsxTextTest, InvalidUtf8BecomesReplacementCharacters) {
  // The last of two bytes (U+07FF) and of four (U+10FFFF) are valid too.
  const std::string r = "\xef\xbf\xbd", valid = "plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf \xdf\xbf";
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
