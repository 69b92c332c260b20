// Export from the real file list pane, offscreen: the text file holds what
// the list shows, the workbook is written and opened.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QTreeView>
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
// The rows in list order; the Latin-1 name goes out byte for byte.
const std::string kRows[] = {"\"a;b.txt\";5 Byte;A;;;\r\n", "brief.txt;1.234 Byte;A;;;\r\n",
                             "gr\xe4n.txt;0 Byte;A;;;\r\n"};

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

  void SelectRow(int row) {
    QAbstractItemModel* m = view->DetailsView()->model();
    view->DetailsView()->selectionModel()->select(m->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
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
  doc->SetExportUi(&ui);
  ui.file = (out / "alle.txt").string();
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_TRUE(ui.selectionAsked.empty());
  EXPECT_EQ(Slurp(out / "alle.txt"), kTitleLine + kRows[0] + kRows[1] + kRows[2]);
  EXPECT_TRUE(catcher->boxes.empty());
}

TEST_F(ExportFromFileList, SelectedRowsOnlyInListOrder) {
  SelectRow(2);
  SelectRow(1);
  doc->SetExportUi(&ui);
  ui.selection = true;
  ui.file = (out / "markiert.txt").string();
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_FILE);
  EXPECT_EQ(ui.selectionAsked, (std::vector<std::pair<int, int>>{{3, 2}}));
  EXPECT_EQ(Slurp(out / "markiert.txt"), kTitleLine + kRows[1] + kRows[2]);
}

// What the workbook holds is the workbook writer's test; here the pane's
// export must reach it through the opener and folder it was given.
TEST_F(ExportFromFileList, WorkbookIsWrittenAndOpenedOrTheMissingProgramReported) {
  if (!output::XlsxWorkbookServer::Available()) GTEST_SKIP() << "built without the xlsx writer";
  std::vector<std::string> opened;
  bool canOpen = false;
  output::CQtExportUi qtUi(
      h->frame(),
      [&](const std::string& p) {
        opened.push_back(p);
        return canOpen;
      },
      out);
  doc->SetExportUi(&qtUi);
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_EXCEL);  // no selection: no dialog
  ASSERT_EQ(catcher->boxes.size(), 1u);
  EXPECT_EQ(catcher->boxes[0].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
  EXPECT_TRUE(fs::is_empty(out));

  canOpen = true;
  doc->ExportList(*view, CKolbrinDoc::EXPORT_TO_EXCEL);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(fs::path(opened[1]).parent_path(), out);
  EXPECT_TRUE(fs::exists(opened[1]));
  EXPECT_EQ(catcher->boxes.size(), 1u);
}

}  // namespace
