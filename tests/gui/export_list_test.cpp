// Export from the real file list pane, offscreen: the text file and the
// workbook of the Linux component hold what the list shows.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lists/FileView.h"
#include "output/QtExportUi.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"

namespace {

namespace fs = std::filesystem;
using shell::CKolbrinDoc;

const std::string kTitleLine =
    "Dateiname;Dateigr\xc3\xb6\xc3\x9f"
    "e;Attribute;Letzte \xc3\x84nderung;Hergestellt;Letzter Zugriff\r\n";

class ExportFromFileList : public ::testing::Test {
 protected:
  void SetUp() override {
    files.AddFile("/d/brief.txt", 1234);
    files.AddFile("/d/a;b.txt", 5);
    files.AddFile("/d/gr\xe4n.txt", 0);  // a Latin-1 name, not UTF-8
    h = std::make_unique<testsupport::GuiHarness>(&files);
    view = h->frame()->FileView();
    doc = h->app->Document();
    doc->m_strPath = "/d";
    doc->UpdateAllViews(nullptr, reinterpret_cast<fw::LPARAM>(doc->m_strPath.c_str()));
    out = fs::path(tmp.path().toStdString());
    catcher = std::make_unique<exporttest::MessageCatcher>();
  }
  void TearDown() override {
    catcher.reset();
    doc->SetExportUi(nullptr);
  }

  int RowOf(const std::string& name) const {
    for (int r = 0; r < view->RowCount(); ++r) {
      if (view->CellText(r, 0) == name) return r;
    }
    return -1;
  }
  void SelectRow(int row) {
    QAbstractItemModel* m = view->DetailsView()->model();
    view->DetailsView()->selectionModel()->select(
        m->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  // Row r's line as the list shows it, without quoting.
  std::string Shown(int r) const {
    std::string line;
    for (int c = 0; c < view->ColumnCount(); ++c) line += (c ? ";" : "") + view->CellText(r, c);
    return line;
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  test_support::FakeFileSystem files;
  std::unique_ptr<testsupport::GuiHarness> h;
  lists::CFileView* view = nullptr;
  CKolbrinDoc* doc = nullptr;
  QTemporaryDir tmp;
  fs::path out;
  exporttest::RecordingServer recorder;
  exporttest::ScriptedUi ui{recorder};
  std::unique_ptr<exporttest::MessageCatcher> catcher;
};

TEST_F(ExportFromFileList, TextFileHoldsTitlesAndEveryRowInListOrder) {
  ASSERT_EQ(view->RowCount(), 3);
  doc->SetExportUi(&ui);
  ui.file = (out / "alle.txt").string();
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_TRUE(ui.selectionAsked.empty());
  std::string expected = kTitleLine;
  for (int r = 0; r < 3; ++r) {
    const std::string line = Shown(r);
    expected += (r == RowOf("a;b.txt") ? "\"a;b.txt\"" + line.substr(7) : line) + "\r\n";
  }
  EXPECT_EQ(Slurp(out / "alle.txt"), expected);
  EXPECT_NE(expected.find("\r\ngr\xe4n.txt;0 Byte;"), std::string::npos);
  EXPECT_NE(expected.find("\r\nbrief.txt;1.234 Byte;"), std::string::npos);
  EXPECT_TRUE(catcher->boxes.empty());
}

TEST_F(ExportFromFileList, SelectedRowsOnlyInListOrder) {
  const int brief = RowOf("brief.txt");
  const int gruen = RowOf("gr\xe4n.txt");
  SelectRow(gruen);
  SelectRow(brief);
  doc->SetExportUi(&ui);
  ui.selection = true;
  ui.file = (out / "markiert.txt").string();
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_EQ(ui.selectionAsked, (std::vector<std::pair<int, int>>{{3, 2}}));
  const int first = std::min(brief, gruen);
  const int second = std::max(brief, gruen);
  EXPECT_EQ(Slurp(out / "markiert.txt"),
            kTitleLine + Shown(first) + "\r\n" + Shown(second) + "\r\n");
}

// Writes what the workbook holds through an independent reader; empty
// when there is none.
std::string FindReader() {
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    const std::string probe = std::string(python) + " -c 'import openpyxl' >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return python;
  }
  return {};
}

std::vector<std::string> ReadBack(const fs::path& book, const fs::path& listing) {
  static const std::string python = FindReader();
  if (python.empty()) return {};
  const std::string command = python + " " KOLBRIN_TEST_SCRIPTS "/read_xlsx.py \"" + book.string() +
                              "\" \"" + listing.string() + "\"";
  if (std::system(command.c_str()) != 0) return {"reader failed"};
  std::ifstream in(listing);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(ExportFromFileList, WorkbookHoldsTitlesWidthsAndTexts) {
  if (!output::XlsxWorkbookServer::Available()) GTEST_SKIP() << "built without the xlsx writer";
  std::vector<std::string> opened;
  output::CQtExportUi qtUi(
      h->frame(),
      [&](const std::string& p) {
        opened.push_back(p);
        return true;
      },
      out);
  doc->SetExportUi(&qtUi);
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_EXCEL);  // no selection: no dialog
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(catcher->boxes.empty());
  const std::vector<std::string> lines = ReadBack(opened[0], out / "listing.txt");
  if (lines.empty()) GTEST_SKIP() << "no python3 with openpyxl to read the workbook";
  const auto has = [&](const std::string& l) {
    return std::find(lines.begin(), lines.end(), l) != lines.end();
  };
  EXPECT_TRUE(has("sheets 1"));
  EXPECT_TRUE(has("cell A1 s \"Dateiname\""));
  EXPECT_TRUE(has("cell F1 s \"Letzter Zugriff\""));
  for (const char* col : {"A", "B", "C", "D", "E", "F"})
    EXPECT_TRUE(has(std::string("width ") + col + " 20.7109375"));
  EXPECT_FALSE(has("width G 20.7109375"));
  const std::string row = std::to_string(RowOf("brief.txt") + 2);
  EXPECT_TRUE(has("cell A" + row + " s \"brief.txt\""));
  EXPECT_TRUE(has("cell B" + row + " s \"1.234 Byte\""));
  EXPECT_TRUE(has("cell A" + std::to_string(RowOf("a;b.txt") + 2) + " s \"a;b.txt\""));
}

TEST_F(ExportFromFileList, NoSpreadsheetProgramGivesTheMessageOnce) {
  output::CQtExportUi qtUi(
      h->frame(), [](const std::string&) { return false; }, out);
  doc->SetExportUi(&qtUi);
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_EXCEL);
  ASSERT_EQ(catcher->boxes.size(), 1u);
  EXPECT_EQ(catcher->boxes[0].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
  EXPECT_TRUE(fs::is_empty(out));
}

}  // namespace
