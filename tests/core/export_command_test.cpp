// The export command without widgets: which rows go, the workbook calls,
// the text file at the chosen path, and the cancels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "output/ExportCommand.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"

namespace {

namespace fs = std::filesystem;
using exporttest::FakeList;
using shell::CKolbrinDoc;

const std::vector<std::string> kTitles = {"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Attribute",
                                          "Letzte \xc3\x84nderung", "Hergestellt", "Letzter Zugriff"};
const std::string kTitleLine =
    "Dateiname;Dateigr\xc3\xb6\xc3\x9f" "e;Attribute;Letzte \xc3\x84nderung;Hergestellt;Letzter Zugriff\r\n";

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t c = 0; c < kTitles.size(); ++c)
      list.columns.push_back({c == 2 ? 0 : 128, kTitles[c], output::ColumnFormat::kLeft});
    doc.SetExportUi(&ui);
    dir = fs::temp_directory_path() /
          ("kolbrin-export-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  void AddRows(int n) {
    for (int r = 0; r < n; ++r) {
      std::vector<std::string> row;
      for (int c = 0; c < 6; ++c) row.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
      list.cells.push_back(row);
    }
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  FakeList list;
  exporttest::RecordingServer server;
  exporttest::ScriptedUi ui{server};
  exporttest::MessageCatcher messages;
  CKolbrinDoc doc;
  fs::path dir;
};

// The exact calls are the workbook export's own test; here the chosen
// rows must reach it in list order, with a question only when rows are
// selected (even when every row is).
TEST_F(ExportCommand, WorkbookGetsTheChosenRowsInListOrder) {
  struct Case {
    std::set<int> selected;
    bool onlySelected;
    std::vector<std::pair<int, int>> asked;
    std::vector<std::string> present;
    std::string absent;
  } const cases[] = {
      {{}, false, {}, {"A1 put 6 BSTR:Dateiname", "A2 put 6 BSTR:r0c0", "F4 put 6 BSTR:r2c5"}, "A5"},
      {{2, 0}, true, {{3, 2}}, {"A2 put 6 BSTR:r0c0", "A3 put 6 BSTR:r2c0", "F3 put 6 BSTR:r2c5"}, "A4"},
      {{0, 1, 2}, false, {{3, 3}}, {"A4 put 6 BSTR:r2c0"}, "A5"},
  };
  AddRows(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected.size());
    list.selected = c.selected;
    ui.selection = c.onlySelected;
    ui.selectionAsked.clear();
    server.log->clear();
    doc.ExportList(list, output::EXPORT_TO_EXCEL);
    EXPECT_EQ(ui.selectionAsked, c.asked);
    for (const std::string& line : c.present) EXPECT_TRUE(server.Logged("range " + line)) << line;
    EXPECT_FALSE(server.Logged("sheet get 197 BSTR:" + c.absent));
  }
  EXPECT_EQ(ui.fileAsked, 0);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, CancelInEitherDialogExportsNothing) {
  AddRows(2);
  list.selected = {1};
  ui.selection = std::nullopt;
  ui.file = (dir / "out.txt").string();
  doc.ExportList(list, output::EXPORT_TO_EXCEL);
  doc.ExportList(list, output::EXPORT_TO_FILE);
  EXPECT_EQ(ui.selectionAsked.size(), 2u);
  EXPECT_EQ(ui.fileAsked, 0);

  ui.selection = true;
  ui.file = std::nullopt;
  doc.ExportList(list, output::EXPORT_TO_FILE);
  EXPECT_EQ(ui.fileAsked, 1);
  EXPECT_TRUE(server.log->empty());
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_EQ(list.cellReads, 0);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, TextFileGoesToTheChosenPathWithEveryColumn) {
  ui.file = (dir / "leer.txt").string();
  doc.ExportList(list, output::EXPORT_TO_FILE);
  EXPECT_EQ(Slurp(dir / "leer.txt"), kTitleLine);  // an empty list: the titles alone

  list.cells = {{"brief.txt", "1.234 Byte", "A", "05.12.2026  17:08:06", "", "x"},
                {"a;b\xff.txt", "0 Byte", "", "", "", ""}};
  ui.file = (dir / "sub folder" / "liste.txt").string();
  fs::create_directories(dir / "sub folder");
  const fs::path before = fs::current_path();
  doc.ExportList(list, output::EXPORT_TO_FILE);
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_EQ(ui.fileAsked, 2);
  EXPECT_TRUE(server.log->empty());
  EXPECT_EQ(Slurp(dir / "sub folder" / "liste.txt"),
            kTitleLine + "brief.txt;1.234 Byte;A;05.12.2026  17:08:06;;x\r\n\"a;b\xff.txt\";0 Byte;;;;\r\n");
  EXPECT_FALSE(fs::exists(before / "liste.txt"));
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, FileErrorIsReportedOnce) {
  AddRows(1);
  ui.file = (dir / "missing" / "x.txt").string();
  doc.ExportList(list, output::EXPORT_TO_FILE);
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text.rfind("Dateifehler: ", 0), 0u);
  EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(ExportCommand, UnknownModeOrNoInterfaceDoesNothing) {
  AddRows(1);
  list.selected = {0};
  doc.ExportList(list, 0);
  doc.ExportList(list, 3);
  CKolbrinDoc bare;
  bare.ExportList(list, output::EXPORT_TO_EXCEL);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_TRUE(server.log->empty());
  EXPECT_EQ(list.cellReads, 0);
}

}  // namespace
