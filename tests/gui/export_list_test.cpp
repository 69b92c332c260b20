// Export from the real file list pane, offscreen: the text file holds what
// the list shows; the workbook goes to the program the desktop names for
// it, found through real XDG folders and started as a real process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "lists/ui/FileView.h"
#include "output/ExportCommand.h"
#include "output/XlsxWorkbookServer.h"
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
    doc->UpdateAllViews(nullptr, fw::UpdateHint(doc->m_strPath));
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
  doc->ExportList(*view, output::EXPORT_TO_FILE);
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
  doc->ExportList(*view, output::EXPORT_TO_FILE);
  EXPECT_EQ(ui.selectionAsked, (std::vector<std::pair<int, int>>{{3, 2}}));
  EXPECT_EQ(Slurp(out / "markiert.txt"), kTitleLine + kRows[1] + kRows[2]);
}

// The desktop of the spreadsheet tests, all in the temporary folder: the
// XDG folders, programs for workbooks described by desktop entries, and a
// FIFO to which the test program reports the arguments it was started with.
class ExportToSpreadsheet : public ExportFromFileList {
 protected:
  void SetUp() override {
    ExportFromFileList::SetUp();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                             "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR", "XDG_CURRENT_DESKTOP"}) {
      const char* value = std::getenv(name);
      saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
      fs::create_directories(out / name);
      setenv(name, (out / name).c_str(), 1);
    }
    unsetenv("XDG_CURRENT_DESKTOP");
    fs::create_directories(out / "XDG_DATA_HOME" / "applications");
    ASSERT_EQ(mkfifo((out / "started").c_str(), 0600), 0);
    // Copies the workbook it is given (the last argument) and reports.
    WriteScript("copy-sheet", "for last; do :; done\ncp \"$last\" '" + (out / "copy.xlsx").string() +
                                  "'\nprintf '%s\\n' \"$@\" > '" + (out / "started").string() + "'\n");
  }
  void TearDown() override {
    close(open((out / "started").c_str(), O_RDONLY | O_NONBLOCK));  // frees a program still waiting
    for (const auto& [name, value] : saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    ExportFromFileList::TearDown();
  }

  void WriteScript(const std::string& name, const std::string& body) {
    std::ofstream(out / name) << "#!/bin/sh\n" << body;
    fs::permissions(out / name, fs::perms::owner_all);
  }
  // Makes the program the desktop's default for workbooks.
  void Install(const std::string& id, const std::string& exec) {
    std::ofstream(out / "XDG_DATA_HOME" / "applications" / id)
        << "[Desktop Entry]\nType=Application\nName=Tabellen\nExec=" << exec << "\nMimeType=" << kMime << ";\n";
    std::ofstream(out / "XDG_CONFIG_HOME" / "mimeapps.list")
        << "[Default Applications]\n" << kMime << "=" << id << ";\n";
  }
  // Aktion > Export nach Excel ..., with the mouse.
  void ChooseExportToExcel() {
    QMenuBar* bar = h->frame()->menuBar();
    for (QAction* top : bar->actions()) {
      if (top->text() != QStringLiteral("Aktion")) continue;
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
      QMenu* menu = top->menu();
      ASSERT_TRUE(menu->isVisible());
      for (QAction* item : menu->actions()) {
        if (item->text() == QStringLiteral("Export nach Excel ..."))
          QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
      }
    }
    QApplication::processEvents();  // the chosen command runs once the menu is gone
  }
  // The arguments the test program reports, or nothing after 20 s.
  std::vector<std::string> StartedWith() {
    const int fd = open((out / "started").c_str(), O_RDONLY | O_NONBLOCK);
    std::string text;
    pollfd ready{fd, POLLIN, 0};
    char buffer[4096];
    for (ssize_t n = 1; n > 0 && poll(&ready, 1, 20000) > 0;) {
      n = read(fd, buffer, sizeof buffer);
      if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::vector<fs::path> Workbooks() const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
      if (entry.path().extension() == ".xlsx") found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
  }

  static constexpr const char* kMime = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_F(ExportToSpreadsheet, WithoutAProgramThatStartsTheMessageAppearsAndNoWorkbookIsLeft) {
  if (!output::XlsxWorkbookServer::Available()) GTEST_SKIP() << "built without the xlsx writer";
  std::ofstream(out / "not-a-program") << "no interpreter line\n";
  fs::permissions(out / "not-a-program", fs::perms::owner_all);
  struct Case {
    const char* id;  // nullptr: no program for workbooks
    std::string exec;
  } const cases[] = {{nullptr, ""},
                     {"not-a-program.desktop", (out / "not-a-program").string() + " %f"},
                     {"fails.desktop", "sh -c \"exit 3\""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exec);
    if (c.id != nullptr) Install(c.id, c.exec);
    catcher->boxes.clear();
    ChooseExportToExcel();
    // A program that ends with a failure is reported once it has ended.
    QDeadlineTimer deadline(20000);
    while (catcher->boxes.empty() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    ASSERT_EQ(catcher->boxes.size(), 1u);
    EXPECT_EQ(catcher->boxes[0].text, "Excel kann nicht ausgef\xc3\xbchrt werden.");
    EXPECT_EQ(catcher->boxes[0].icon, fw::MsgIcon::kExclamation);
    EXPECT_EQ(Workbooks(), std::vector<fs::path>{});
  }
}

// A Python with openpyxl, or empty.
std::string FindReader() {
  for (const char* python : {"/usr/bin/python3", "python3"}) {
    const std::string probe = std::string(python) + " -c \"import openpyxl\" >/dev/null 2>&1";
    if (std::system(probe.c_str()) == 0) return python;
  }
  return {};
}

TEST_F(ExportToSpreadsheet, TheDesktopsProgramGetsTheWorkbookAsANewDocument) {
  if (!output::XlsxWorkbookServer::Available()) GTEST_SKIP() << "built without the xlsx writer";
  // Workbooks of earlier exports go after a day.
  const fs::path folder = out / "XDG_CACHE_HOME" / "kolbrin";
  fs::create_directories(folder);
  std::ofstream(folder / "Kolbrin-Export-8.xlsx") << "recent";
  std::ofstream(folder / "Kolbrin-Export-9.xlsx") << "old";
  fs::last_write_time(folder / "Kolbrin-Export-9.xlsx", fs::file_time_type::clock::now() - std::chrono::hours(25));
  const std::string program = (out / "copy-sheet").string();
  struct Case {
    const char* id;
    std::vector<std::string> arguments;
  } const cases[] = {{"tabellen.desktop", {(folder / "Kolbrin-Export-1.xlsx").string()}},
                     // Calc makes a new untitled document from the file.
                     {"libreoffice-calc.desktop", {"-n", (folder / "Kolbrin-Export-2.xlsx").string()}}};
  for (const Case& c : cases) {
    Install(c.id, program + " %f");
    ChooseExportToExcel();
    EXPECT_EQ(StartedWith(), c.arguments) << c.id;
  }
  EXPECT_TRUE(catcher->boxes.empty());
  EXPECT_EQ(Workbooks(), (std::vector<fs::path>{folder / "Kolbrin-Export-1.xlsx", folder / "Kolbrin-Export-2.xlsx",
                                                folder / "Kolbrin-Export-8.xlsx", out / "copy.xlsx"}));

  const std::string python = FindReader();
  if (python.empty()) GTEST_SKIP() << "no python3 with openpyxl to read the workbook";
  const fs::path listing = out / "listing.txt";
  ASSERT_EQ(std::system((python + " " KOLBRIN_TEST_SCRIPTS "/read_xlsx.py '" + (out / "copy.xlsx").string() +
                         "' '" + listing.string() + "'").c_str()),
            0);
  std::vector<std::string> expected = {"sheets Tabelle1"};
  for (const char* column : {"A", "B", "C", "D", "E", "F"}) expected.push_back(std::string("width ") + column + " 20.7109375");
  const char* titles[] = {"Dateiname", "Dateigr\xc3\xb6\xc3\x9f" "e", "Attribute", "Letzte \xc3\x84nderung",
                          "Hergestellt", "Letzter Zugriff"};
  for (int k = 0; k < 6; ++k) expected.push_back(std::string("cell ") + char('A' + k) + "1 s \"" + titles[k] + "\"");
  // Rows as the list shows them; the Latin-1 name gets a replacement character.
  for (const auto& [row, name, size] : {std::tuple{2, "a;b.txt", "5 Byte"}, {3, "brief.txt", "1.234 Byte"},
                                       {4, "gr\xef\xbf\xbdn.txt", "0 Byte"}}) {
    const std::string r = std::to_string(row);
    expected.insert(expected.end(), {"cell A" + r + " s \"" + name + "\"", "cell B" + r + " s \"" + size + "\"",
                                     "cell C" + r + " s \"A\""});
  }
  std::ifstream in(listing);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_EQ(lines, expected);
}

}  // namespace
