// A drive that stops answering, as a real FUSE file system of the test's own
// (tests/scripts/hangfs.py): its root answers, listings and volume figures
// wait until the test lets them go.
#include <sys/mount.h>

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <fstream>

#include "driveinfo/qt/DriveInfoDlg.h"
#include "framework/WorkerCall.h"
#include "framework/qt/ModalWait.h"
#include "output/ExportCommand.h"
#include "shell/qt/CommandLine.h"
#include "tests/core/export_fakes.h"
#include "tests/support/GuiHarness.h"

namespace {

class HungDrive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(base.isValid());
    mount = base.filePath(QStringLiteral("hang")).toStdString();
    release = base.filePath(QStringLiteral("release")).toStdString();
    log = base.filePath(QStringLiteral("calls")).toStdString();
    std::filesystem::create_directory(mount);
    std::ofstream(log).close();
    daemon.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(KOLBRIN_TEST_SCRIPTS "/hangfs.py"), QString::fromStdString(mount),
                  QString::fromStdString(release), QString::fromStdString(log)});
    if (!daemon.waitForReadyRead(10000) || !daemon.readAll().startsWith("ready")) {
      GTEST_SKIP() << "no FUSE mount here: " << daemon.readAllStandardError().toStdString();
    }
  }
  void TearDown() override {
    Release();
    fw::CWorkerCall::WaitForAll(std::chrono::seconds(20));
    h.reset();
    ::umount2(mount.c_str(), MNT_DETACH);  // also when the daemon has died
    daemon.terminate();
    if (!daemon.waitForFinished(5000)) daemon.kill();
  }

  void Release() { std::ofstream(release).close(); }
  // The calls that reached the drive so far.
  std::vector<std::string> Calls() const {
    std::ifstream in(log);
    std::vector<std::string> calls;
    for (std::string line; std::getline(in, line);) calls.push_back(line);
    return calls;
  }
  // Acts once the drive has been asked something new.
  void AtNextCall(std::function<void()> act) {
    const std::size_t before = Calls().size();
    testsupport::WhenReady(h->frame(), [this, before] { return Calls().size() > before; }, std::move(act));
  }
  void EscOnNextCall(QWidget* target) { AtNextCall([target] { QTest::keyClick(target, Qt::Key_Escape); }); }
  void Start(const std::string& startDirectory = {}) {
    h = std::make_unique<testsupport::GuiHarness>(nullptr, startDirectory);
    tree = h->tree();
  }
  // The drive's own item at the top of the tree.
  QModelIndex DriveItem() const { return h->TreeItem(mount + "/"); }
  void Click(const QModelIndex& item) { testsupport::ClickItem(tree, item); }
  // Lets the drive answer, waits until the given-up call has returned, and
  // makes the drive stop answering again.
  void ReleaseAndHangAgain() {
    Release();
    ASSERT_TRUE(fw::CWorkerCall::WaitForAll(std::chrono::seconds(20)));
    std::filesystem::remove(release);
  }

  QTemporaryDir base;
  std::string mount, release, log;
  QProcess daemon;
  std::unique_ptr<testsupport::GuiHarness> h;
  tree::qt::CDriveView* tree = nullptr;
};

// Each road to the drive gives up on Esc with the silent result of a
// failure, and the window answers afterwards.
TEST_F(HungDrive, EscGivesUpTheProbeTheListingTheScanAndTheDriveInformation) {
  Start(base.path().toStdString());
  const QModelIndex parent = tree->currentIndex();
  ASSERT_EQ(tree->GetItemPath(parent), base.path().toStdString());
  EscOnNextCall(tree);
  QTest::keyClick(tree, Qt::Key_Right);  // probes its subdirectory "hang"
  EXPECT_TRUE(!tree->isExpanded(parent) && tree->Model()->hasChildren(parent));
  ReleaseAndHangAgain();  // the drive answers again once the given-up call returns
  EscOnNextCall(tree);
  Click(DriveItem());  // the file list reads it
  EXPECT_EQ(h->files()->RowCount(), 0);
  ReleaseAndHangAgain();
  EscOnNextCall(tree);
  testsupport::Click(h->Tool(ID_VIEW_DIRSCAN));
  EXPECT_TRUE(h->dirs()->IsDirScanOn() && h->dirs()->RowCount() == 0);
  testsupport::Click(h->Tool(ID_VIEW_DIRSCAN));
  ReleaseAndHangAgain();
  testsupport::Click(h->Tool(ID_VIEW_DRIVEINFO));
  driveinfo::CDriveInfoDlg* info = h->frame()->DriveInfoDlg();
  ASSERT_NE(info, nullptr);
  QListWidget* drives = info->DriveList();
  const auto lines = drives->findItems(QString::fromStdString(mount), Qt::MatchStartsWith);
  ASSERT_EQ(lines.size(), 1);
  EscOnNextCall(drives);
  QTest::mouseClick(drives->viewport(), Qt::LeftButton, {}, drives->visualItemRect(lines[0]).center());
  EXPECT_EQ(info->Item<QLineEdit>(IDC_EDIT_FILESYSTEM)->text(), "");
  EXPECT_EQ(info->Item<QLineEdit>(IDC_EDIT_TOTALCLUSTERS)->text(), "0");
  EXPECT_TRUE(info->isVisible());  // Esc gave up the wait, not the window
  QTest::keyClick(drives, Qt::Key_Home);  // another drive answers at once
  EXPECT_NE(info->Item<QLineEdit>(IDC_EDIT_FILESYSTEM)->text(), "");
}

// Nothing of it is read at start. Esc gives up listing it; while that call
// hangs, listing or opening it fails at once without asking it again, the
// button staying for another try; once it answers, it lists.
TEST_F(HungDrive, WhileAGivenUpCallHangsANewOneFailsAtOnceThenTheDriveIsBack) {
  Start();
  ASSERT_TRUE(DriveItem().isValid()) << "a network drive in the tree";
  EXPECT_TRUE(tree->Model()->hasChildren(DriveItem()));  // an expand button, unread
  EXPECT_TRUE(Calls().empty());
  // The wait cursor while the drive is waited for.
  bool cursor = false;
  AtNextCall([&] {
    cursor = QTest::qWaitFor([] { return QApplication::overrideCursor() != nullptr; }) &&
             QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    QTest::keyClick(tree, Qt::Key_Escape);
  });
  Click(DriveItem());
  EXPECT_TRUE(cursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ASSERT_EQ(Calls(), std::vector<std::string>{"readdir /"});
  QTest::keyClick(tree, Qt::Key_Right);
  EXPECT_TRUE(!tree->isExpanded(DriveItem()) && tree->Model()->hasChildren(DriveItem()));
  Click(tree->Model()->index(0, 0));
  Click(DriveItem());  // refused without asking the drive again
  EXPECT_EQ(Calls().size(), 1u);
  EXPECT_EQ(h->files()->RowCount(), 0);
  Release();
  ASSERT_TRUE(fw::CWorkerCall::WaitForAll(std::chrono::seconds(20)));
  Click(tree->Model()->index(0, 0));
  Click(DriveItem());
  ASSERT_EQ(h->files()->RowCount(), 1);
  EXPECT_EQ(h->files()->CellText(0, 0), "note.txt");
}

// Writing the export there (the save dialog's answer given, since Qt's own
// file dialog reads a folder on its own): Esc gives up without a word and
// nothing is written; while that call hangs, the next one is refused with
// a file error.
TEST_F(HungDrive, ExportToItGivesUpThenReportsTheDriveNotAnswering) {
  Start(base.path().toStdString());
  lists::qt::CFileView* files = h->files();
  ASSERT_EQ(files->RowCount(), 1);  // the log of calls
  struct WatchedUi : exporttest::ScriptedUi {
    using ScriptedUi::ScriptedUi;
    fw::JobRunner& Runner() override { return *wait; }
    fw::qt::CModalWait* wait = nullptr;
  };
  exporttest::RecordingSpreadsheet server;
  WatchedUi ui(server);
  ui.wait = &h->app->Waiter();
  ui.file = mount + "/liste.txt";
  exporttest::MessageCatcher messages;
  EscOnNextCall(files);
  EXPECT_FALSE(output::RunExport(*files, output::EXPORT_TO_FILE, ui));
  EXPECT_EQ(Calls(), std::vector<std::string>{"create /liste.txt"});
  EXPECT_TRUE(messages.boxes.empty());
  EXPECT_FALSE(output::RunExport(*files, output::EXPORT_TO_FILE, ui));
  // Asked once whether it answers at all, then held as stuck.
  EXPECT_EQ(Calls(), (std::vector<std::string>{"create /liste.txt", "statfs /"}));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, "Dateifehler: Das Laufwerk antwortet nicht");
}

// A link into the drive, given up on: only the drive is held, so the folder
// that holds the link and everything beside it answer at once.
TEST_F(HungDrive, GivingUpOnALinkIntoItLeavesTheFolderBesideItAnswering) {
  const QTemporaryDir elsewhere;  // not beside the mount point, which a start would probe
  const std::filesystem::path folder = elsewhere.filePath(QStringLiteral("links")).toStdString();
  std::filesystem::create_directories(folder / "plain" / "deeper");
  std::ofstream(folder / "plain" / "x.txt") << "x";
  std::filesystem::create_directory_symlink(mount, folder / "nas");
  Start(folder.string());
  const QModelIndex links = tree->currentIndex();
  ASSERT_EQ(tree->GetItemPath(links), folder.string());
  EscOnNextCall(tree);
  QTest::keyClick(tree, Qt::Key_Right);  // probes "nas", whose listing does not come
  ASSERT_EQ(Calls(), std::vector<std::string>{"readdir /"});
  ASSERT_FALSE(tree->isExpanded(links));
  // At once: where "nas" leads is not asked while the drive hangs, so it
  // is no folder of the tree for now.
  QTest::keyClick(tree, Qt::Key_Right);
  ASSERT_TRUE(tree->isExpanded(links));
  EXPECT_EQ(testsupport::GuiHarness::Children(tree->model(), links), QStringList{"plain"});
  Click(h->TreeItem((folder / "plain").string()));
  EXPECT_EQ(testsupport::GuiHarness::Column(h->files(), 0), QStringList{"x.txt"});
  testsupport::Click(h->Tool(ID_VIEW_DIRSCAN));
  EXPECT_EQ(h->dirs()->RowCount(), 2);
  EXPECT_EQ(Calls().size(), 1u);
}

// Started on the drive (as "Öffnen mit Kolbrin" does): the command line
// does not wait for it, the window comes up, and Esc gives up opening it.
TEST_F(HungDrive, AStartDirectoryOnItShowsTheWindowAndGivesUpOnEsc) {
  const auto started = std::chrono::steady_clock::now();
  const shell::StartRequest request =
      shell::ParseCommandLine({QStringLiteral("kolbrin"), QString::fromStdString(mount + "/inside")});
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_EQ(std::pair(request.directory, request.errors), std::pair(mount + "/inside", QString()));
  QObject watcher;
  testsupport::WhenReady(&watcher, [this] { return !Calls().empty(); }, [] {
    QWidget* window = QApplication::activeWindow();  // the harness is still being made
    ASSERT_TRUE(window != nullptr && window->isVisible());
    QTest::keyClick(window, Qt::Key_Escape);
  });
  Start(request.directory);
  QApplication::processEvents();
  EXPECT_EQ(tree->GetItemPath(tree->currentIndex()), mount + "/");
  EXPECT_EQ(h->files()->RowCount(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
