// The export command without widgets: which rows go, the workbook calls,
// the text file at the chosen path, and the cancels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/ExportCommand.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"

namespace {

namespace fs = std::filesystem;
using output::EXPORT_TO_EXCEL;
using output::EXPORT_TO_FILE;

const std::string kTitleLine =
    "Dateiname;Dateigr\xc3\xb6\xc3\x9f" "e;Attribute;Letzte \xc3\x84nderung;Hergestellt;Letzter Zugriff\r\n";

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* title : {"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Attribute", "Letzte \xc3\x84nderung",
                              "Hergestellt", "Letzter Zugriff"})
      list.columns.push_back({list.columns.size() == 2 ? 0 : 128, title, output::ColumnFormat::kLeft});
    fs::remove_all(dir);
    fs::create_directories(dir);
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

  exporttest::FakeList list;
  exporttest::RecordingServer server;
  exporttest::ScriptedUi ui{server};
  exporttest::MessageCatcher messages;
  const fs::path dir = fs::temp_directory_path() /
                       ("kolbrin-export-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
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
  } cases[] = {
      {{}, false, {}, {"A1 put 6 BSTR:Dateiname", "A2 put 6 BSTR:r0c0", "F4 put 6 BSTR:r2c5"}, "A5"},
      {{2, 0}, true, {{3, 2}}, {"A2 put 6 BSTR:r0c0", "A3 put 6 BSTR:r2c0", "F3 put 6 BSTR:r2c5"}, "A4"},
      {{0, 1, 2}, false, {{3, 3}}, {"A4 put 6 BSTR:r2c0"}, "A5"},
  };
  AddRows(3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected.size());
    list.selected = c.selected;
    ui.selection = c.onlySelected;
    ui.selectionAsked.clear();
    server.log->clear();
    EXPECT_TRUE(output::RunExport(list, EXPORT_TO_EXCEL, ui));
    EXPECT_EQ(ui.selectionAsked, c.asked);
    for (const std::string& line : c.present) EXPECT_TRUE(server.Logged("range " + line)) << line;
    EXPECT_FALSE(server.Logged("sheet get 197 BSTR:" + c.absent));
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
  EXPECT_FALSE(output::RunExport(list, EXPORT_TO_EXCEL, ui));
  EXPECT_FALSE(output::RunExport(list, EXPORT_TO_FILE, ui));
  EXPECT_EQ(ui.selectionAsked.size(), 2u);
  EXPECT_EQ(ui.fileAsked, 0);
  ui.selection = true;
  for (const std::optional<std::string>& file : {std::optional<std::string>(), std::optional<std::string>("")}) {
    ui.file = file;
    EXPECT_FALSE(output::RunExport(list, EXPORT_TO_FILE, ui));
  }
  EXPECT_EQ(ui.fileAsked, 2);
  for (int mode : {0, 3}) EXPECT_FALSE(output::RunExport(list, mode, ui));
  shell::CKolbrinDoc().ExportList(list, EXPORT_TO_EXCEL);
  EXPECT_EQ(ui.selectionAsked.size(), 4u);  // none for the unknown modes
  EXPECT_TRUE(server.log->empty());
  EXPECT_TRUE(fs::is_empty(dir));
  EXPECT_EQ(list.cellReads, 0);
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(ExportCommand, TextFileGoesToTheChosenPathWithEveryColumn) {
  ui.file = (dir / "leer.txt").string();
  shell::CKolbrinDoc doc;
  doc.SetExportUi(&ui);
  doc.ExportList(list, EXPORT_TO_FILE);
  EXPECT_EQ(Slurp(dir / "leer.txt"), kTitleLine);  // an empty list: the titles alone

  list.cells = {{"brief.txt", "1.234 Byte", "A", "05.12.2026  17:08:06", "", "x"},
                {"a;b\xff.txt", "0 Byte", "", "", "", ""}};
  ui.file = (dir / "sub folder" / "liste.txt").string();
  fs::create_directories(dir / "sub folder");
  const fs::path before = fs::current_path();
  EXPECT_TRUE(output::RunExport(list, EXPORT_TO_FILE, ui));
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_EQ(ui.fileAsked, 2);
  EXPECT_TRUE(server.log->empty());
  EXPECT_EQ(Slurp(dir / "sub folder" / "liste.txt"),
            kTitleLine + "brief.txt;1.234 Byte;A;05.12.2026  17:08:06;;x\r\n\"a;b\xff.txt\";0 Byte;;;;\r\n");
  EXPECT_FALSE(fs::exists(before / "liste.txt"));
  EXPECT_TRUE(messages.boxes.empty());

  // A file that cannot be written is reported once.
  ui.file = (dir / "missing" / "x.txt").string();
  EXPECT_FALSE(output::RunExport(list, EXPORT_TO_FILE, ui));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text.rfind("Dateifehler: ", 0), 0u);
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

}  // namespace
