// The export command without widgets: which rows go, the workbook calls,
// the text file at the chosen path, and the cancels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/ExportBuilder.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"

namespace {

namespace fs = std::filesystem;
using exporttest::FakeList;
using shell::CKolbrinDoc;

const std::vector<std::string> kTitles = {"Dateiname",
                                          "Dateigr\xc3\xb6\xc3\x9f"
                                          "e",
                                          "Attribute",
                                          "Letzte \xc3\x84nderung",
                                          "Hergestellt",
                                          "Letzter Zugriff"};

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t c = 0; c < kTitles.size(); ++c) {
      list.columns.push_back({c == 2 ? 0 : 128, kTitles[c], output::LVCFMT_LEFT});
    }
    doc.SetExportUi(&ui);
    dir = fs::temp_directory_path() /
          ("kolbrin-export-" +
           std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
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
  bool Logged(const std::string& line) const {
    const auto& log = *server.log;
    return std::find(log.begin(), log.end(), line) != log.end();
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

TEST_F(ExportCommand, WorkbookCallsForSixColumnsAndTwoRows) {
  AddRows(2);
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_EXCEL);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_EQ(ui.fileAsked, 0);
  std::vector<std::string> expected = {"create Excel.Application", "app put 558 BOOL:1",
                                       "app get 572", "books method 181 I2:-4167",
                                       "book get 494 I2:1"};
  for (int i = 0; i < 3; ++i) {
    for (int k = 0; k < 6; ++k) {
      const std::string cell = std::string(1, static_cast<char>('A' + k)) + std::to_string(i + 1);
      const std::string text = i == 0 ? kTitles[static_cast<std::size_t>(k)] : list.cells[i - 1][k];
      if (i == 0) {
        expected.insert(expected.end(),
                        {"sheet get 197 BSTR:" + cell, "range " + cell + " put 242 I2:20",
                         "release range " + cell});
      }
      expected.insert(expected.end(),
                      {"sheet get 197 BSTR:" + cell, "range " + cell + " put 6 BSTR:" + text,
                       "release range " + cell});
    }
  }
  expected.insert(expected.end(), {"book put 298 BOOL:1", "release sheet", "release book",
                                   "release books", "release app"});
  EXPECT_EQ(*server.log, expected);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, SelectedRowsOnlyFollowInListOrderWithoutGaps) {
  AddRows(5);
  list.selected = {3, 1};
  ui.selection = true;
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_EXCEL);
  ASSERT_EQ(ui.selectionAsked, (std::vector<std::pair<int, int>>{{5, 2}}));
  EXPECT_TRUE(Logged("range A2 put 6 BSTR:r1c0"));
  EXPECT_TRUE(Logged("range F2 put 6 BSTR:r1c5"));
  EXPECT_TRUE(Logged("range A3 put 6 BSTR:r3c0"));
  EXPECT_FALSE(Logged("sheet get 197 BSTR:A4"));
  EXPECT_FALSE(Logged("range A2 put 6 BSTR:r0c0"));

  const output::ExportRows rows = output::BuildExportRows(list, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], kTitles);
  EXPECT_EQ(rows[1][0], "r1c0");
  EXPECT_EQ(rows[2][0], "r3c0");
}

TEST_F(ExportCommand, FirstButtonOrEveryRowSelectedStillAsks) {
  AddRows(3);
  list.selected = {0, 1, 2};
  ui.selection = false;
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_EXCEL);
  EXPECT_EQ(ui.selectionAsked, (std::vector<std::pair<int, int>>{{3, 3}}));
  EXPECT_TRUE(Logged("range A4 put 6 BSTR:r2c0"));
}

TEST_F(ExportCommand, CancelInEitherDialogExportsNothing) {
  AddRows(2);
  list.selected = {1};
  ui.selection = std::nullopt;
  ui.file = (dir / "out.txt").string();
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_EXCEL);
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_EQ(ui.selectionAsked.size(), 2u);
  EXPECT_EQ(ui.fileAsked, 0);

  ui.selection = true;
  ui.file = std::nullopt;
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_EQ(ui.fileAsked, 1);
  EXPECT_TRUE(server.log->empty());
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_EQ(list.cellReads, 0);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, TextFileGoesToTheChosenPathWithEveryColumn) {
  list.cells = {{"brief.txt", "1.234 Byte", "A", "05.12.2026  17:08:06", "", "x"},
                {"a;b\xff.txt", "0 Byte", "", "", "", ""}};
  ui.file = (dir / "sub folder" / "liste.txt").string();
  fs::create_directories(dir / "sub folder");
  const fs::path before = fs::current_path();
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_EQ(ui.fileAsked, 1);
  EXPECT_TRUE(server.log->empty());
  const std::string expected =
      "Dateiname;Dateigr\xc3\xb6\xc3\x9f"
      "e;Attribute;Letzte \xc3\x84nderung;Hergestellt;Letzter Zugriff\r\n"
      "brief.txt;1.234 Byte;A;05.12.2026  17:08:06;;x\r\n"
      "\"a;b\xff.txt\";0 Byte;;;;\r\n";
  EXPECT_EQ(Slurp(dir / "sub folder" / "liste.txt"), expected);
  EXPECT_FALSE(fs::exists(before / "liste.txt"));
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, EmptyListWritesTheTitleLineAlone) {
  ui.file = (dir / "leer.txt").string();
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_EQ(Slurp(dir / "leer.txt"),
            "Dateiname;Dateigr\xc3\xb6\xc3\x9f"
            "e;Attribute;Letzte \xc3\x84nderung;Hergestellt;Letzter Zugriff\r\n");
}

TEST_F(ExportCommand, FileErrorIsReportedOnce) {
  AddRows(1);
  ui.file = (dir / "missing" / "x.txt").string();
  doc.ExportList(list, CKolbrinDoc::EXPORT_TO_FILE);
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
  bare.ExportList(list, CKolbrinDoc::EXPORT_TO_EXCEL);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_TRUE(server.log->empty());
  EXPECT_EQ(list.cellReads, 0);
}

}  // namespace
