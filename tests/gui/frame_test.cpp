// Starting the program (its command line, a directory given on it with links
// inside) and the main frame: its bars, F6 through the panes, its placement,
// F10, the printer setup and the drive information window.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>

#include "driveinfo/qt/DriveInfoDlg.h"
#include "shell/qt/CommandLine.h"
#include "tests/support/GuiHarness.h"

namespace {

using driveinfo::CDriveInfoDlg;
using testsupport::Click;
using testsupport::GuiHarness;

// Each toolbar button its own part of the strip; the bars switched from the
// menu with their check marks; F6 and Shift+F6 through the panes in view
// order; F10 opens the menu bar, whose "Druckereinrichtung" chooses the
// printer and, behind "Eigenschaften", paper and orientation for printing.
TEST(MainFrame, ToolbarBarsPanesF10AndPrinterSetup) {
  testsupport::GuiHarness h;
  auto* f = h.frame();
  EXPECT_EQ(f->MessageText(), "Bereit");
  EXPECT_EQ(f->Actions().Action(ID_VIEW_DIRSCAN)->toolTip(), "Verzeichnisinformation");
  QList<QImage> images;
  for (const res::Id id : {ID_FILE_PRINT, ID_VIEW_DIRSCAN, ID_VIEW_DRIVEINFO, ID_APP_EXIT, ID_APP_ABOUT}) {
    const QImage image = f->Actions().Action(id)->icon().pixmap(16, 15).toImage();
    EXPECT_FALSE(image.isNull() || images.contains(image)) << id;
    images << image;
  }
  for (const auto& [id, bar] : {std::pair<res::Id, QWidget*>{ID_VIEW_TOOLBAR, f->ToolBar()},
                                {ID_VIEW_STATUS_BAR, f->statusBar()}}) {
    for (const bool shown : {false, true}) {
      h.Choose(id);
      EXPECT_EQ(bar->isHidden(), !shown) << id;
      EXPECT_EQ(h.Shown(id)->isChecked(), shown) << id;
    }
  }
  const std::pair<Qt::KeyboardModifiers, QWidget*> steps[] = {
      {{}, h.files()}, {{}, h.dirs()}, {{}, h.tree()}, {Qt::ShiftModifier, h.dirs()}};
  for (const auto& [modifiers, pane] : steps) {
    h.Press(Qt::Key_F6, modifiers);
    EXPECT_EQ(f->GetActiveView(), f->ViewOfWidget(pane));
    EXPECT_TRUE(pane->isAncestorOf(QApplication::focusWidget()) || pane->hasFocus());
    EXPECT_FALSE(pane->accessibleName().isEmpty());
  }
  QPrinter& printer = h.app->Printer();
  printer.setOutputFileName(h.dir.filePath(QStringLiteral("setup.pdf")));
  QTest::keyClick(h.tree(), Qt::Key_F10);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu, h.frame()->menuBar()->actions().front()->menu());
  QString title, okText, printerChoice;
  testsupport::WhenModal<QPrintDialog>([&](QPrintDialog* dlg) {
    title = dlg->windowTitle();
    okText = testsupport::OkButton(dlg)->text();
    printerChoice = dlg->findChild<QComboBox*>(QStringLiteral("printers"))->currentText();
    QTimer::singleShot(0, [] {
      QWidget* properties = QApplication::activeModalWidget();
      Click(properties->findChild<QRadioButton*>(QStringLiteral("landscape")));
      auto* sizes = properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
      QTest::keyClicks(sizes, QStringLiteral("A5"));
      Click(testsupport::OkButton(properties));
    });
    Click(dlg->findChild<QPushButton*>(QStringLiteral("properties")));
    Click(testsupport::OkButton(dlg));
  });
  QTest::keyClick(menu, Qt::Key_E);  // "Drucker&einrichtung..."
  QApplication::processEvents();     // the chosen command runs once the menu is gone
  EXPECT_EQ(title, "Druckereinrichtung");
  EXPECT_EQ(okText, "OK");
  EXPECT_FALSE(printerChoice.isEmpty());
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

// The tree gets a quarter of the width the window has when it comes up.
TEST(MainFrame, PlacementIsKeptBetweenRunsMaximisedToo) {
  testsupport::GuiHarness h;
  h.frame()->setGeometry(40, 30, 500, 400);
  h.Stop();
  QSettings s(h.iniPath, QSettings::IniFormat);
  for (const auto& [key, value] : {std::pair{"X0", 40}, {"Y0", 30}, {"X1", 540}, {"Y1", 430}, {"SHOW", 1}})
    EXPECT_EQ(s.value(QStringLiteral("POSITION/") + key).toInt(), value) << key;
  h.Start();
  EXPECT_EQ(h.frame()->geometry(), QRect(40, 30, 500, 400));
  EXPECT_NEAR(h.frame()->OuterSplitter()->sizes()[0], 500 / 4, 8);
  h.frame()->showMaximized();
  h.Stop();
  s.sync();
  EXPECT_EQ(s.value(QStringLiteral("POSITION/SHOW")).toInt(), 3);
  EXPECT_EQ(s.value(QStringLiteral("POSITION/X1")).toInt(), 540);  // the normal place is kept
  h.Start();
  ASSERT_TRUE(h.frame()->isMaximized());
  const int width = QGuiApplication::primaryScreen()->availableGeometry().width();
  EXPECT_NEAR(h.frame()->OuterSplitter()->sizes()[0], width / 4, 8);
}

// The program itself, with no display in its environment: answers on
// standard output, complaints with the usage on standard error.
TEST(CommandLine, HelpVersionAndWrongOptionsNeedNoDisplay) {
  const std::tuple<QStringList, int, QString> cases[] = {{{"-h"}, 0, "Zeigt diese Hilfe an."},
                                                        {{"--version"}, 0, "Kolbrin 1."},
                                                        {{"--bogus"}, 2, "Unbekannte Option 'bogus'."},
                                                        {{"/tmp", "/usr"}, 2, "höchstens ein Verzeichnis"}};
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
  for (const auto& [arguments, exitCode, shown] : cases) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KOLBRIN_BINARY), arguments);
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), exitCode) << err.toStdString();
    EXPECT_TRUE((exitCode == 0 ? out : err).contains(shown)) << out.toStdString() << err.toStdString();
    EXPECT_EQ(err.contains(QStringLiteral("Aufruf:")), exitCode == 2);
  }
}

// A missing path or a file is reported and the program starts without one;
// a relative path is selected, and links to folders are folders.
TEST(StartDirectory, MissingPathsReportedRelativeOneSelectedLinksAreFolders) {
  const QTemporaryDir tmp;
  const QString root = QDir(tmp.path()).absolutePath();
  QDir(root).mkpath(QStringLiteral("sub"));
  QFile file(root + QStringLiteral("/a.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(QFile::link(QStringLiteral("."), root + QStringLiteral("/loop")));
  for (const QString& argument : {QStringLiteral("no-such-thing"), root + QStringLiteral("/a.txt")}) {
    const shell::StartRequest r = shell::ParseCommandLine({QStringLiteral("kolbrin"), argument});
    EXPECT_EQ(std::pair(r.exitCode, r.directory), std::pair(-1, std::string()));
    EXPECT_TRUE(r.errors.startsWith(QStringLiteral("kolbrin: „") + argument + u'“')) << r.errors.toStdString();
  }
  const QString previous = QDir::currentPath();
  QDir::setCurrent(root + QStringLiteral("/sub"));
  const shell::StartRequest start = shell::ParseCommandLine({QStringLiteral("kolbrin"), QStringLiteral("..")});
  QDir::setCurrent(previous);
  ASSERT_EQ(start.directory, QFile::encodeName(root).toStdString());
  GuiHarness h(nullptr, start.directory);
  auto* tree = h.tree();
  EXPECT_EQ(tree->GetItemPath(tree->currentIndex()), start.directory);
  // The tree opens the link as a folder, with the target's listing under
  // the link's own path.
  for (int i = 0; i < 2; ++i) QTest::keyClick(tree, Qt::Key_Right);  // open it, onto the first child, the link
  const QModelIndex link = tree->currentIndex();
  EXPECT_EQ(tree->GetItemPath(link), start.directory + "/loop");
  QTest::keyClick(tree, Qt::Key_Right);
  ASSERT_TRUE(tree->isExpanded(link));
  EXPECT_EQ(GuiHarness::Children(tree->Model(), link), (QStringList{"loop", "sub"}));
}

using DriveInfoWindow = testsupport::FrameTest<>;

QStringList Fields(CDriveInfoDlg* d) {
  QStringList out;
  for (const res::Id id : {IDC_EDIT_VOLUMENAME, IDC_EDIT_SERIAL, IDC_EDIT_FILESYSTEM, IDC_EDIT_MAXNAMELEN,
                           IDC_EDIT_SECTORS, IDC_EDIT_BYTES, IDC_EDIT_FREECLUSTERS, IDC_EDIT_TOTALCLUSTERS})
    out << d->Item<QLineEdit>(id)->text();
  return out << d->Item<QPlainTextEdit>(IDC_EDIT_FLAGS)->toPlainText();
}

TEST_F(DriveInfoWindow, EveryWayOfClosingClearsTheCheckMarkAndTheNextOpeningStartsAfresh) {
  fs.AddDrive("/media/cdrom", platform::kDriveCdRom);
  fs.AddDrive("/home", platform::kDriveFixed);
  fs.SetVolumeInfo("/", {"system", 0xFFFFFFFFu, 255, 0x1 | 0x2 | 0x8000, "btrfs"});
  fs.SetDiskFreeSpace("/", {8, 512, 1000, 4000});
  fs.FailVolumeInfo("/media/cdrom");
  fs.FailDiskFreeSpace("/media/cdrom");
  Start();
  auto key = [](Qt::Key k, res::Id field) {  // in the field, or in the drive list
    return [=](CDriveInfoDlg* d) { QTest::keyClick(field == 0 ? d->DriveList() : d->Item<QWidget>(field), k); };
  };
  const std::function<void(CDriveInfoDlg*)> closers[] = {
      [this](CDriveInfoDlg*) { testsupport::Click(h->Tool(ID_VIEW_DRIVEINFO)); },
      key(Qt::Key_Escape, 0),
      key(Qt::Key_Return, 0),
      key(Qt::Key_Enter, IDC_EDIT_SERIAL),
      key(Qt::Key_Return, IDC_EDIT_FLAGS),
      [](CDriveInfoDlg* d) { testsupport::CloseBox(d); },
  };
  int n = 0;
  for (const auto& close : closers) {
    SCOPED_TRACE(n++);
    testsupport::Click(h->Tool(ID_VIEW_DRIVEINFO));
    CDriveInfoDlg* d = h->frame()->DriveInfoDlg();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE((d->isVisible() && !d->isModal()) && h->Shown(ID_VIEW_DRIVEINFO)->isChecked());
    ASSERT_EQ(d->DriveList()->selectedItems().size(), 1);
    EXPECT_EQ(d->DriveList()->selectedItems()[0]->text(), "/\tFestplattenlaufwerk");
    EXPECT_EQ(Fields(d), (QStringList{"system", "-1", "btrfs", "255", "8", "512", "1000", "4000",
                                      "Unterscheidet Dateinamen mit Groß- und Kleinschreibung\n"
                                      "Speichert Dateinamen mit Groß- und Kleinschreibung\n"
                                      "Unterstützt Komprimierung auf Laufwerksebene\n"}));
    QTest::keyClick(d->DriveList(), Qt::Key_End);  // the user picks /media/cdrom, which fails
    EXPECT_EQ(d->DriveList()->currentItem()->text(), "/media/cdrom\tCD-ROM-Laufwerk");
    EXPECT_EQ(Fields(d), (QStringList{"", "0", "", "0", "0", "0", "0", "0", ""}));
    close(d);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(h->frame()->DriveInfoDlg(), nullptr);
    EXPECT_FALSE(h->Shown(ID_VIEW_DRIVEINFO)->isChecked());
  }
}

}  // namespace
