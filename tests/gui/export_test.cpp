// Export from the real frame: the text file and the workbook for the desktop's program.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <optional>

#include "output/XlsxSpreadsheet.h"
#include "output/qt/ExportSelectDlg.h"
#include "tests/support/GuiHarness.h"

namespace {

namespace fs = std::filesystem;
using output::CExportSelectDlg;
using testsupport::Click;
using testsupport::ClickItem;
using testsupport::GuiHarness;
using testsupport::WhenModal;

const std::string kTitleLine = "Dateiname;Dateigröße;Attribute;Letzte Änderung;Hergestellt;Letzter Zugriff\r\n";
// The rows in list order; the Latin-1 name goes out byte for byte.
const std::string kRows[] = {"\"a;b.txt\";5 Byte;A;;;\r\n", "brief.txt;1.234 Byte;A;;;\r\n",
                             "gr\xe4n.txt;0 Byte;A;;;\r\n"};

class Export : public testsupport::FrameTest<test_support::GateFiles> {
 protected:
  void SetUp() override {
    fs.AddFile("/d/brief.txt", 1234);
    fs.AddFile("/d/a;b.txt", 5);
    fs.AddFile("/d/gr\xe4n.txt", 0);  // a Latin-1 name, not UTF-8
    Start("/d");
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  QTemporaryDir tmp;
  fs::path out{tmp.path().toStdString()};
};

// The save dialog answered with the file. With seen, it first notes the
// file's size and date in the detail view (Qt's own dialog speaks German),
// types the name, and answers Yes to replacing it, noting the question.
void SaveAs(const QString& path, QStringList* seen = nullptr) {
  WhenModal<QFileDialog>([path, seen](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
    QPushButton* save = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
    const QString saveText = save->text();
    const QFileInfo file(path);
    if (seen != nullptr) {
      Click(d->findChild<QToolButton*>(QStringLiteral("detailModeButton")));
      d->setDirectory(file.path());
      auto* view = d->findChild<QTreeView*>(QStringLiteral("treeView"));
      QModelIndex row;
      EXPECT_TRUE(QTest::qWaitFor([&] {
        const QModelIndex first = view->model()->index(0, 0, view->rootIndex());
        row = view->model()->match(first, Qt::DisplayRole, file.fileName(), 1, Qt::MatchExactly).value(0);
        return row.isValid();
      }, 10000));
      *seen << row.siblingAtColumn(1).data().toString() << row.siblingAtColumn(3).data().toString();
      QTest::keyClicks(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), file.fileName());
    } else {
      d->selectFile(path);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return save->text() == saveText; }, 10000));  // not "Öffnen"
    if (seen != nullptr) {
      WhenModal<QMessageBox>([seen](QMessageBox* box) {
        *seen << box->text();
        Click(box->button(QMessageBox::Yes));
      });
    }
    save->click();  // Qt's own button: the completer's list of a known name may lie over it
  });
}

// Selected rows preselect the second button; the first exports every row,
// and an existing file is replaced only after asking. Without the default
// extension given, ".txt" is added.
TEST_F(Export, TextFileThroughTheSelectionAndTheSaveDialog) {
  ClickItem(h->files()->DetailsView(), GuiHarness::Row(h->files(), 2));
  ClickItem(h->files()->DetailsView(), GuiHarness::Row(h->files(), 1), Qt::LeftButton, Qt::ControlModifier);
  QStringList captions;
  WhenModal<CExportSelectDlg>([&](CExportSelectDlg* d) {
    captions << d->Item<QRadioButton>(IDC_RADIO_ALLE)->text() << d->Item<QRadioButton>(IDC_RADIO_SEL)->text();
    EXPECT_TRUE(d->Item<QRadioButton>(IDC_RADIO_SEL)->isChecked());
    SaveAs(tmp.filePath(QStringLiteral("liste")));
    Click(d->Item<QPushButton>(IDC_OK));
  });
  h->Choose(ID_EXPORT_FILE);
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Alle Datensätzen  (Anzahl = 3)"),
                                   QStringLiteral("Alle markierten Datensätze  (Anzahl = 2)")}));
  EXPECT_EQ(Slurp(out / "liste.txt"), kTitleLine + kRows[1] + kRows[2]);
  QFile old(tmp.filePath(QStringLiteral("alt.txt")));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(1500, 'x'));
  old.flush();
  ASSERT_TRUE(old.setFileTime(QDateTime(QDate(2026, 12, 6), QTime(10, 30)), QFileDevice::FileModificationTime));
  old.close();
  QStringList seen;
  WhenModal<CExportSelectDlg>([&](CExportSelectDlg* d) {
    Click(d->Item<QRadioButton>(IDC_RADIO_ALLE));
    SaveAs(old.fileName(), &seen);
    Click(d->Item<QPushButton>(IDC_OK));
  });
  h->Choose(ID_EXPORT_FILE);
  ASSERT_EQ(seen.size(), 3);
  EXPECT_EQ(seen.mid(0, 2), (QStringList{"1,46 KiB", "06.12.26 10:30"}));
  EXPECT_TRUE(seen[2].contains(QStringLiteral("alt.txt"))) << seen[2].toStdString();
  EXPECT_EQ(Slurp(out / "alt.txt"), kTitleLine + kRows[0] + kRows[1] + kRows[2]);
}

// The desktop of the spreadsheet tests, all in the temporary folder: the
// XDG folders, programs for workbooks described by desktop entries, and a
// FIFO to which the test program reports the arguments it was started with.
class ExportToSpreadsheet : public Export {
 protected:
  void SetUp() override {
    if (!output::XlsxSpreadsheet::Available()) GTEST_SKIP() << "built without the xlsx writer";
    Export::SetUp();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                             "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR", "XDG_CURRENT_DESKTOP"}) {
      const char* value = std::getenv(name);
      saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
      fs::create_directories(out / name / "applications");
      setenv(name, (out / name).c_str(), 1);
    }
    unsetenv("XDG_CURRENT_DESKTOP");
    ASSERT_EQ(mkfifo((out / "started").c_str(), 0600), 0);
    // Copies the workbook it is given (the last argument) and reports.
    std::ofstream(out / "copy-sheet") << "#!/bin/sh\nfor last; do :; done\ncp \"$last\" '"
                                      << (out / "copy.xlsx").string() << "'\nprintf '%s\\n' \"$@\" > '"
                                      << (out / "started").string() << "'\n";
    std::ofstream(out / "not-a-program") << "no interpreter line\n";
    for (const char* name : {"copy-sheet", "not-a-program"}) fs::permissions(out / name, fs::perms::owner_all);
  }
  void TearDown() override {
    if (saved.empty()) return;
    close(open((out / "started").c_str(), O_RDONLY | O_NONBLOCK));  // frees a program still waiting
    for (const auto& [name, value] : saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }

  // Makes the program the desktop's default for workbooks.
  void Install(const std::string& id, const std::string& exec) {
    const char* mime = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
    std::ofstream(out / "XDG_DATA_HOME" / "applications" / id)
        << "[Desktop Entry]\nType=Application\nName=Tabellen\nExec=" << exec << "\nMimeType=" << mime << ";\n";
    std::ofstream(out / "XDG_CONFIG_HOME" / "mimeapps.list")
        << "[Default Applications]\n" << mime << "=" << id << ";\n";
  }
  // The arguments the test program reports, a line each, or nothing after 20 s.
  std::string StartedWith() {
    const int fd = open((out / "started").c_str(), O_RDONLY | O_NONBLOCK);
    std::string text;
    pollfd ready{fd, POLLIN, 0};
    char buffer[4096];
    for (ssize_t n = 1; n > 0 && poll(&ready, 1, 20000) > 0;) {
      n = read(fd, buffer, sizeof buffer);
      if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return text;
  }
  std::vector<fs::path> Workbooks() const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(out))
      if (entry.path().extension() == ".xlsx") found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
  }

  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

// No program, one that cannot start, one that fails at once: the message,
// and no workbook is left.
TEST_F(ExportToSpreadsheet, WithoutAProgramThatStartsTheMessageAppearsAndNoWorkbookIsLeft) {
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, ""}, {"not-a-program.desktop", (out / "not-a-program").string() + " %f"},
      {"fails.desktop", "sh -c \"exit 3\""}};
  for (const auto& [id, exec] : cases) {
    SCOPED_TRACE(exec);
    if (id != nullptr) Install(id, exec);
    QString message;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    testsupport::AnswerMessage(&message, &icon);
    h->Choose(ID_EXPORT_EXCEL);
    EXPECT_TRUE(QTest::qWaitFor([&message] { return !message.isEmpty(); }, 20000));
    EXPECT_EQ(message, "Excel kann nicht ausgeführt werden.");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(Workbooks(), std::vector<fs::path>{});
  }
}

// The program fails while a scan is waited for: its message waits too, and
// comes once, after the scan's rows, and Return closes it.
TEST_F(ExportToSpreadsheet, AFailureDuringAWaitIsToldAfterIt) {
  Install("late.desktop", "sh -c \"sleep 0.3; exit 3\"");
  h->Choose(ID_EXPORT_EXCEL);
  fs.Hold("/d");
  bool quietDuringTheWait = false;
  testsupport::WhenReady(h->frame(), [this] { return fs.reached && Workbooks().empty(); }, [&] {
    QTest::qWait(100);  // the failure has been noticed
    quietDuringTheWait = QApplication::activeModalWidget() == nullptr;
    fs.Release();
  });
  QStringList seen;
  WhenModal<QMessageBox>([&](QMessageBox* box) {
    seen << box->text() << QString::number(h->dirs()->RowCount());
    QTest::keyClick(box, Qt::Key_Return);
  });
  h->Choose(ID_VIEW_DIRSCAN);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.isEmpty() && QApplication::activeModalWidget() == nullptr; }, 20000));
  EXPECT_TRUE(quietDuringTheWait);
  EXPECT_EQ(seen, (QStringList{"Excel kann nicht ausgeführt werden.", "1"}));
}

TEST_F(ExportToSpreadsheet, TheDesktopsProgramGetsTheWorkbookAsANewDocument) {
  // Workbooks of earlier exports go after a day.
  const fs::path folder = out / "XDG_CACHE_HOME" / "kolbrin";
  fs::create_directories(folder);
  std::ofstream(folder / "Kolbrin-Export-8.xlsx") << "recent";
  std::ofstream(folder / "Kolbrin-Export-9.xlsx") << "old";
  fs::last_write_time(folder / "Kolbrin-Export-9.xlsx", fs::file_time_type::clock::now() - std::chrono::hours(25));
  const std::string program = (out / "copy-sheet").string();
  // Calc makes a new untitled document from the file.
  const std::pair<const char*, std::string> cases[] = {
      {"tabellen.desktop", (folder / "Kolbrin-Export-1.xlsx").string() + "\n"},
      {"libreoffice-calc.desktop", "-n\n" + (folder / "Kolbrin-Export-2.xlsx").string() + "\n"}};
  for (const auto& [id, arguments] : cases) {
    Install(id, program + " %f");
    h->Choose(ID_EXPORT_EXCEL);
    EXPECT_EQ(StartedWith(), arguments) << id;
  }
  EXPECT_EQ(Workbooks(), (std::vector<fs::path>{folder / "Kolbrin-Export-1.xlsx", folder / "Kolbrin-Export-2.xlsx",
                                                folder / "Kolbrin-Export-8.xlsx", out / "copy.xlsx"}));
  if (std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") != 0) GTEST_SKIP() << "no openpyxl";
  const fs::path listing = out / "listing.txt";
  ASSERT_EQ(std::system(("/usr/bin/python3 " KOLBRIN_TEST_SCRIPTS "/read_xlsx.py '" + (out / "copy.xlsx").string() +
                         "' '" + listing.string() + "'").c_str()),
            0);
  std::string expected = "sheets Tabelle1\n";
  for (const char* column : {"A", "B", "C", "D", "E", "F"})
    expected += std::string("width ") + column + " 20.7109375\n";
  const char* titles[] = {"Dateiname", "Dateigröße", "Attribute",
                          "Letzte Änderung", "Hergestellt", "Letzter Zugriff"};
  for (int k = 0; k < 6; ++k) expected += std::string("cell ") + char('A' + k) + "1 s \"" + titles[k] + "\"\n";
  // Rows as the list shows them; the Latin-1 name gets a replacement character.
  for (const auto& [row, name, size] : {std::tuple{2, "a;b.txt", "5 Byte"}, {3, "brief.txt", "1.234 Byte"},
                                       {4, "gr\xef\xbf\xbdn.txt", "0 Byte"}}) {
    const std::string r = std::to_string(row);
    expected += "cell A" + r + " s \"" + name + "\"\ncell B" + r + " s \"" + size + "\"\ncell C" + r + " s \"A\"\n";
  }
  EXPECT_EQ(Slurp(listing), expected);
}

}  // namespace
