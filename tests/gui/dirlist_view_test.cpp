// The directory list pane in the real frame, its scans and what gives them up.
#include <QContextMenuEvent>
#include <QSettings>
#include <new>

#include "framework/WorkerCall.h"
#include "tests/support/GuiHarness.h"

namespace {

class DirListTest : public testsupport::FrameTest<test_support::GateFiles> {
 protected:
  DirListTest() {
    fs.AddFile("/A/ten", 10);
    fs.AddFile("/A/twenty", 20);
    fs.AddFile("/A/B/five", 5);
    fs.AddDirectory("/A/B/C");
    fs.AddFile("/A/a-z/big", 1000);
    fs.AddFile("/A/a-z/small", 1);
    for (int a = 0; a < 30; ++a)
      for (int b = 0; b < 30; ++b) fs.AddFile("/Z/" + std::to_string(a) + "/" + std::to_string(b) + "/f", 1);
    Start();
    view = h->dirs();
    tree = h->tree();
  }
  ~DirListTest() override {
    fs.Release();
    fw::CWorkerCall::WaitForAll(std::chrono::seconds(20));  // nothing may outlive the file system
  }

  QStringList Paths() const { return testsupport::GuiHarness::Column(view, 0); }
  void Select(const std::string& path, Qt::MouseButton button = Qt::LeftButton) {
    testsupport::ClickItem(tree, h->TreeItem(path), button);
  }
  // Runs action on the user-interface thread once the walk reached the gate.
  void AtGate(std::function<void()> action) {
    testsupport::WhenReady(h->frame(), [this] { return fs.reached.load(); }, std::move(action));
  }

  lists::qt::CDirView* view = nullptr;
  tree::qt::CDriveView* tree = nullptr;
};

// The popup deletes itself when it closes; the command must run after the
// popup's own handlers are done, whether menu and item are reached by mouse
// or by keys.
// The walk is held until the wait's loop runs, where a deletion would come.
TEST_F(DirListTest, ContextMenuOfTheTreeStartsTheScanByMouseAndByKey) {
  Select("/A");
  for (bool byKey : {false, true}) {
    SCOPED_TRACE(byKey ? "key" : "mouse");
    fs.gate = "/A/B";
    AtGate([this] { fs.Release(); });
    if (byKey) {  // the Menu key, as the window system reports it
      QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
      QApplication::sendEvent(tree->viewport(), &menuKey);
    } else {
      Select("/Z", Qt::RightButton);  // the menu acts on the selection, not on Z
    }
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    if (byKey) {
      QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Return);
    } else {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().first()).center());
    }
    QApplication::processEvents();
    fs.gate.clear();  // the second choice switches the mode off and reads nothing
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(view->IsDirScanOn(), !byKey);
    EXPECT_EQ(view->RowCount(), byKey ? 0 : 4);
  }
}

// Each heading keeps its own direction until the next scan.
TEST_F(DirListTest, MenuBarScansHeadingsSortAndTheModeEmptiesTheList) {
  Select("/A");
  h->Choose(ID_VIEW_DIRSCAN);
  EXPECT_EQ(Paths(), (QStringList{"/A", "/A/a-z", "/A/B", "/A/B/C"}));  // sorted, case folded
  EXPECT_EQ(view->DetailsView()->model()->rowCount(), 4);
  const char* first[] = {"/A", "3", "1.036 Byte", "5", "30 Byte", "2"};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(view->CellText(0, c), first[c]);
  EXPECT_TRUE(h->frame()->MessageText().empty() && QApplication::overrideCursor() == nullptr);
  EXPECT_TRUE(h->Shown(ID_VIEW_DIRSCAN)->isChecked());
  auto click = [this](int column) { testsupport::ClickHeading(view->DetailsView()->header(), column); };
  click(2);  // largest total first
  EXPECT_EQ(Paths().first(), "/A");
  click(4);
  EXPECT_EQ(Paths().first(), "/A/a-z");
  click(2);  // second click on this column: ascending
  EXPECT_EQ(Paths().first(), "/A/B/C");
  click(0);  // descending paths
  EXPECT_EQ(Paths(), (QStringList{"/A/B/C", "/A/B", "/A/a-z", "/A"}));
  QTest::keyClick(tree, Qt::Key_Down);  // the next selection scans again: /A is followed by /Z
  EXPECT_EQ(view->RowCount(), 1 + 30 + 900);
  QTest::keyClick(tree, Qt::Key_Up);  // a new scan sorts by path again and forgets the directions
  EXPECT_EQ(Paths().first(), "/A");
  click(4);  // descending again, not the ascending that would follow
  EXPECT_EQ(Paths().first(), "/A/a-z");
  h->Choose(ID_VIEW_DIRSCAN);
  EXPECT_FALSE(h->Shown(ID_VIEW_DIRSCAN)->isChecked());
  QTest::keyClick(tree, Qt::Key_Down);  // off: the next selection reads nothing
  EXPECT_EQ(view->RowCount(), 0);
}

// Esc at a point inside the walk: no rows (half-counted figures would
// mislead), pane 0 empty, the mode still on, and the next selection scans.
// The close box during a scan closes the window.
TEST_F(DirListTest, EscGivesUpTheScanTheNextSelectionScansAgainAndTheCloseBoxCloses) {
  Select("/Z");
  fs.gate = "/Z/7";
  AtGate([this] {
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::keyClick(tree, Qt::Key_Up);  // no other input reaches the window
    QTest::keyClick(tree, Qt::Key_Escape);
  });
  h->Choose(ID_VIEW_DIRSCAN);
  EXPECT_TRUE(view->IsDirScanOn());
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_EQ(h->frame()->MessageText(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(tree->GetItemPath(tree->currentIndex()), "/Z");
  fs.Release();
  ASSERT_TRUE(fw::CWorkerCall::WaitForAll(std::chrono::seconds(20)));
  EXPECT_LT(fs.TotalFindFirstCalls(), 500);  // the walk stopped early, of 931 directories
  fs.gate.clear();
  Select("/A");
  EXPECT_EQ(view->RowCount(), 4);
  fs.Hold("/Z/5");
  AtGate([this] { testsupport::CloseBox(h->frame()); });
  Select("/Z");
  QApplication::processEvents();
  EXPECT_FALSE(h->frame()->isVisible());
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_TRUE(QSettings(h->iniPath, QSettings::IniFormat).contains(QStringLiteral("POSITION/X0")));
}

// Started from the toolbar button, pane 0 shows the directory being read,
// not the button's prompt; the pointer leaving the button leaves "Bereit".
TEST_F(DirListTest, ToolbarScanShowsItsProgressInPaneZero) {
  Select("/Z");
  view->SetScanThreadsForTesting(1);
  QWidget* button = h->Tool(ID_VIEW_DIRSCAN);
  QTest::mouseMove(button);
  EXPECT_EQ(h->frame()->MessageText(), "Bestimmen der Verzeichnisinformationen (z.B. Verzeichnisgröße)");
  fs.gate = "/Z/3";
  std::string during;
  AtGate([this, &during] {
    QTRY_COMPARE_WITH_TIMEOUT(h->frame()->MessageText(), std::string("/Z/3"), 5000);
    during = h->frame()->MessageText();
    fs.Release();
  });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(during, "/Z/3");
  EXPECT_EQ(view->RowCount(), 931);
  EXPECT_EQ(h->frame()->MessageText(), "");
  QTest::mouseMove(view, QPoint(5, 5));
  EXPECT_EQ(h->frame()->MessageText(), "Bereit");
}

TEST_F(DirListTest, OutOfMemoryIsReportedAndTheScanGoesOn) {
  view->SetAllocationHookForTesting([](platform::ScanStep step, std::string_view name) {
    if (step == platform::ScanStep::kRecord && name == "B") throw std::bad_alloc();
  });
  QString message;
  testsupport::AnswerMessage(&message);
  Select("/A");
  h->Choose(ID_VIEW_DIRSCAN);
  EXPECT_EQ(message, "nicht genug Speicher");
  // "/A/B" got no record: no row for it nor for what is beneath it.
  EXPECT_EQ(Paths(), (QStringList{"/A", "/A/a-z"}));
  EXPECT_EQ(view->CellText(0, 1), "1");
  // Any other failure of the work ends the command with its description.
  view->SetAllocationHookForTesting([](platform::ScanStep, std::string_view) { throw std::runtime_error("kaputt"); });
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  testsupport::AnswerMessage(&message, &icon);
  testsupport::Click(h->Tool(ID_VIEW_DIRSCAN));
  testsupport::Click(h->Tool(ID_VIEW_DIRSCAN));
  view->SetAllocationHookForTesting({});
  EXPECT_EQ(std::pair(message, icon), std::pair(QStringLiteral("Ein interner Fehler ist aufgetreten: kaputt"),
                                                QMessageBox::Critical));
  EXPECT_TRUE(view->IsDirScanOn() && view->RowCount() == 0 && h->frame()->isVisible());
}

}  // namespace
