// The directory list pane in the real frame: the mode switched by its
// command from anywhere, the scan's rows and texts, sorting by heading,
// the status text and the wait cursor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTreeView>
#include <new>

#include "framework/MessageBox.h"
#include "lists/DirView.h"
#include "shell/KolbrinDoc.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"
#include "tree/DriveView.h"

namespace {

// Notes the status text as each listing of the scan (under the wait
// cursor) starts.
class StatusWatcher : public test_support::FakeFileSystem {
 public:
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, platform::FindData& first,
                                                  platform::FindLevel level) override {
    if (frame != nullptr && QApplication::overrideCursor() != nullptr) {
      seen.push_back(frame->MessageText());
    }
    return FakeFileSystem::FindFirst(pattern, first, level);
  }
  shell::CMainFrame* frame = nullptr;
  QStringList seen;
};

class DirListTest : public ::testing::Test {
 protected:
  DirListTest() {
    fs.AddDrive("/", platform::kDriveFixed);
    fs.AddFile("/A/ten", 10);
    fs.AddFile("/A/twenty", 20);
    fs.AddFile("/A/B/five", 5);
    fs.AddDirectory("/A/B/C");
    fs.AddFile("/A/a-z/big", 1000);
    fs.AddFile("/A/a-z/small", 1);
    h = std::make_unique<testsupport::GuiHarness>(&fs);
    fs.frame = h->frame();
    view = h->frame()->DirView();
  }
  shell::CKolbrinDoc& doc() { return *h->app->Document(); }
  QStringList Column(int c) const {
    QStringList out;
    for (int r = 0; r < view->RowCount(); ++r) out << QString::fromStdString(view->CellText(r, c));
    return out;
  }
  QStringList Row(int r) const {
    QStringList out;
    for (int c = 0; c < 6; ++c) out << QString::fromStdString(view->CellText(r, c));
    return out;
  }
  void Select(const std::string& path) {
    doc().m_strPath = path;
    doc().UpdateAllViews(h->frame()->DriveView(), reinterpret_cast<fw::LPARAM>(path.c_str()));
  }
  void Click(int column) { emit view->DetailsView()->header()->sectionClicked(column); }

  StatusWatcher fs;
  std::unique_ptr<testsupport::GuiHarness> h;
  lists::CDirView* view = nullptr;
};

TEST_F(DirListTest, ModeOffShowsColumnsButNoRows) {
  Select("/A");
  EXPECT_FALSE(view->IsDirScanOn());
  EXPECT_EQ(view->RowCount(), 0);
  QAbstractItemModel* model = view->DetailsView()->model();
  ASSERT_EQ(model->columnCount(), 6);
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_TRUE(fs.seen.isEmpty());  // nothing was scanned
}

// A heading wider than its column shows its beginning; one that fits keeps
// the column's alignment.
TEST_F(DirListTest, HeadingsTooWideForTheirColumnAlignLeft) {
  QAbstractItemModel* model = view->DetailsView()->model();
  QHeaderView* header = view->DetailsView()->header();
  auto alignment = [&](int column) {
    return model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
           Qt::AlignHorizontal_Mask;
  };
  EXPECT_EQ(alignment(2), Qt::AlignLeft);  // "Größe einschl. aller Unterverz." in 105 px
  header->resizeSection(2, 400);
  EXPECT_EQ(alignment(2), Qt::AlignRight);
  header->resizeSection(1, 30);
  EXPECT_EQ(alignment(1), Qt::AlignLeft);
}

TEST_F(DirListTest, CommandFromTheTreeScansSortsAndEmptiesAgain) {
  Select("/A");
  ASSERT_EQ(h->frame()->GetActiveView(), static_cast<fw::CView*>(h->frame()->DriveView()));
  EXPECT_FALSE(h->updated(ID_VIEW_DIRSCAN)->isChecked());
  EXPECT_TRUE(h->updated(ID_VIEW_DIRSCAN)->isEnabled());
  h->action(ID_VIEW_DIRSCAN)->trigger();
  EXPECT_TRUE(view->IsDirScanOn());
  EXPECT_TRUE(h->updated(ID_VIEW_DIRSCAN)->isChecked());
  EXPECT_EQ(Column(0), (QStringList{"/A", "/A/a-z", "/A/B", "/A/B/C"}));  // sorted, case folded
  EXPECT_EQ(view->DetailsView()->model()->rowCount(), 4);
  EXPECT_EQ(Row(0), (QStringList{"/A", "3", "1.036 Byte", "5", "30 Byte", "2"}));
  EXPECT_EQ(Row(3), (QStringList{"/A/B/C", "0", "0 Byte", "0", "0 Byte", "0"}));
  // The directory being entered was in the status bar under the wait
  // cursor; afterwards the text is empty and the cursor is back.
  EXPECT_EQ(fs.seen.value(0), "/A");
  EXPECT_EQ(fs.seen.size(), 4);
  EXPECT_EQ(h->frame()->MessageText(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  QDir().mkpath(QStringLiteral(KOLBRIN_TEST_OUTPUT));
  EXPECT_TRUE(h->frame()->grab().save(QStringLiteral(KOLBRIN_TEST_OUTPUT "/dirlist.png")));

  Select("/A/B");  // a new selection while on scans again
  EXPECT_EQ(Column(0), (QStringList{"/A/B", "/A/B/C"}));

  h->action(ID_VIEW_DIRSCAN)->trigger();
  EXPECT_FALSE(h->updated(ID_VIEW_DIRSCAN)->isChecked());
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_EQ(view->DetailsView()->model()->rowCount(), 0);
  Select("/A");
  EXPECT_EQ(view->RowCount(), 0);
}

TEST_F(DirListTest, HeadingClicksKeepADirectionPerColumn) {
  Select("/A");
  h->action(ID_VIEW_DIRSCAN)->trigger();
  Click(2);  // largest total first
  EXPECT_EQ(Column(0).first(), "/A");
  EXPECT_EQ(Column(0).last().right(1), "C");
  Click(4);
  EXPECT_EQ(Column(0).first(), "/A/a-z");
  Click(2);  // second click on this column: ascending
  EXPECT_EQ(Column(0).first(), "/A/B/C");
  EXPECT_EQ(Column(0).last(), "/A");
  Click(0);
  EXPECT_EQ(Column(0), (QStringList{"/A/B/C", "/A/B", "/A/a-z", "/A"}));
  Click(2);  // descending again: a third click would be ascending
  // A new scan sorts by path again and forgets the directions.
  Select("/A");
  EXPECT_EQ(Column(0).first(), "/A");
  Click(2);
  EXPECT_EQ(Column(0).first(), "/A");
}

TEST_F(DirListTest, SortKeepsTheSelectedDirectorySelected) {
  Select("/A");
  h->action(ID_VIEW_DIRSCAN)->trigger();
  const int b = static_cast<int>(Column(0).indexOf("/A/B"));
  view->DetailsView()->selectionModel()->select(
      view->DetailsView()->model()->index(b, 0),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Click(0);
  ASSERT_EQ(view->SelectedCount(), 1);
  for (int r = 0; r < view->RowCount(); ++r) {
    EXPECT_EQ(view->IsRowSelected(r), view->CellText(r, 0) == "/A/B") << r;
  }
}

TEST_F(DirListTest, EmptyPathScansTheRoot) {
  doc().m_strPath.clear();  // as before any selection
  h->action(ID_VIEW_DIRSCAN)->trigger();
  ASSERT_GE(view->RowCount(), 1);
  EXPECT_EQ(view->CellText(0, 0), "");
  EXPECT_EQ(view->CellText(1, 0), "/A");
}

TEST_F(DirListTest, OutOfMemoryIsReportedAndTheScanGoesOn) {
  std::vector<std::string> messages;
  auto previous = fw::SetMessageBoxPresenter([&](const fw::MessageBoxRequest& r) {
    messages.push_back(r.text);
    return fw::IDRESULT_OK;
  });
  int made = 0;
  view->SetAllocationHookForTesting([&made] {
    if (++made == 2) throw std::bad_alloc();
  });
  Select("/A");
  h->action(ID_VIEW_DIRSCAN)->trigger();
  fw::SetMessageBoxPresenter(std::move(previous));
  view->SetAllocationHookForTesting({});
  EXPECT_EQ(messages, std::vector<std::string>{"nicht genug Speicher"});
  // "/A/B" got no record: no row for it nor for what is beneath it.
  EXPECT_EQ(Column(0), (QStringList{"/A", "/A/a-z"}));
  EXPECT_EQ(view->CellText(0, 1), "1");
  EXPECT_EQ(h->frame()->MessageText(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
