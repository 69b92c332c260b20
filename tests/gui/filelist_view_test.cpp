// The file list pane offscreen, in the real frame: columns, cell texts,
// heading clicks, selection across a sort, odd names, failures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QTemporaryDir>
#include <QTreeView>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "lists/ui/FileView.h"
#include "shell/KolbrinDoc.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"

namespace {

class FileListView : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddFile("/d/b.txt", 300);
    fs.AddFile("/d/C.txt", 100).creation = {30};
    fs.AddFile("/d/.hidden", 200, platform::kAttrArchive | platform::kAttrHidden).creation = {10};
    fs.AddDirectory("/d/sub");
    fs.AddFile("/d/a.txt", (5ull << 32) + 7, platform::kAttrArchive | platform::kAttrReadOnly)
        .creation = {20};
    h = std::make_unique<testsupport::GuiHarness>(&fs);
    view = h->frame()->FileView();
    previous = fw::SetMessageBoxPresenter([this](const fw::MessageBoxRequest&) {
      ++messages;
      return fw::IDRESULT_OK;
    });
  }
  void TearDown() override {
    fw::SetMessageBoxPresenter(previous);
    h.reset();
  }

  // What the tree does when the user selects a directory.
  void Select(const std::string& path) {
    shell::CKolbrinDoc* doc = h->app->Document();
    doc->m_strPath = path;
    doc->UpdateAllViews(nullptr, fw::UpdateHint(doc->m_strPath));
  }
  void Click(int column) { emit view->DetailsView()->header()->sectionClicked(column); }
  QString Shown(int row, int column) {
    QAbstractItemModel* m = view->DetailsView()->model();
    return m->data(m->index(row, column), Qt::DisplayRole).toString();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (int r = 0; r < view->RowCount(); ++r) out.push_back(view->CellText(r, 0));
    return out;
  }

  test_support::FakeFileSystem fs;
  std::unique_ptr<testsupport::GuiHarness> h;
  lists::CFileView* view = nullptr;
  fw::MessageBoxPresenter previous;
  int messages = 0;
};

// Titles are checked through the export; here each heading must follow
// the view's own columns, and the cells their justification.
TEST_F(FileListView, ColumnsAsTheUserSeesThem) {
  EXPECT_EQ(view->GetListStyle(), lists::ListStyle::kReport);
  EXPECT_EQ(view->currentWidget(), view->DetailsView());
  EXPECT_EQ(view->DetailsView()->selectionMode(), QAbstractItemView::ExtendedSelection);
  const Qt::Alignment align[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight,
                                 Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter};
  QAbstractItemModel* m = view->DetailsView()->model();
  ASSERT_EQ(m->columnCount(), 6);
  Select("/d");
  for (int c = 0; c < 6; ++c) {
    output::ListColumn column;
    ASSERT_TRUE(view->GetColumn(c, column));
    EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), QString::fromStdString(column.title));
    EXPECT_EQ(view->DetailsView()->header()->sectionSize(c), column.width);
    EXPECT_TRUE(m->data(m->index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>() & align[c]) << c;
  }
}

TEST_F(FileListView, ListsFilesSortedByNameWithTheirTexts) {
  Select("/d");
  EXPECT_EQ(Names(), (std::vector<std::string>{".hidden", "a.txt", "b.txt", "C.txt"}));
  EXPECT_EQ(Shown(1, 1), "21.474.836.487 Byte");  // over 4 GiB, in full
  EXPECT_EQ(Shown(1, 2), "AR");
  EXPECT_EQ(view->CellText(99, 0), "");
  EXPECT_EQ(messages, 0);
}

// The order itself is the rows' test; here the heading drives it, a refill
// resets it and a repaint-only hint only repaints.
TEST_F(FileListView, HeadingClicksSortAndARefillResets) {
  Select("/d");
  Click(1);
  EXPECT_EQ(view->CellText(0, 0), "a.txt");  // largest first
  Click(1);
  EXPECT_EQ(view->CellText(0, 0), "C.txt");
  h->app->Document()->UpdateAllViews(nullptr, fw::UpdateHint());
  EXPECT_EQ(view->CellText(0, 0), "C.txt");
  Click(1);
  Select("/d");  // without the reset the next click would ascend
  Click(1);
  EXPECT_EQ(view->CellText(0, 0), "a.txt");
}

TEST_F(FileListView, SelectionStaysOnTheSameFilesAcrossASort) {
  Select("/d");
  for (int row : {1, 3})  // a.txt, C.txt
    view->DetailsView()->selectionModel()->select(view->DetailsView()->model()->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Click(1);  // a.txt, b.txt, .hidden, C.txt
  EXPECT_EQ(view->SelectedCount(), 2);
  EXPECT_TRUE(view->IsRowSelected(0));
  EXPECT_TRUE(view->IsRowSelected(3));
  Select("/d");
  EXPECT_EQ(view->SelectedCount(), 0);
}

TEST_F(FileListView, UnreadableDirectoryEmptiesTheListWithoutAMessage) {
  fs.FailListing("/locked");
  Select("/d");
  Select("/locked");
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_EQ(view->DetailsView()->model()->rowCount(), 0);
  EXPECT_EQ(messages, 0);
}

TEST_F(FileListView, OddNamesShowReplacementCharacters) {
  fs.AddFile("/odd/" + std::string("x;y\tz\n&\xff\xfe.txt", 13), 1);
  fs.AddFile("/odd/Gr\xC3\xB6\xC3\x9F" "e & Co.txt", 2);
  Select("/odd");
  ASSERT_EQ(view->RowCount(), 2);
  EXPECT_EQ(Shown(1, 0), QString::fromUtf8("x;y\tz\n&\uFFFD\uFFFD.txt"));
  EXPECT_EQ(Shown(0, 0), QString::fromUtf8("Größe & Co.txt"));
}

TEST_F(FileListView, SheetSymbolsWithTransparentBackground) {
  Select("/d");
  for (bool large : {false, true}) {
    const QIcon icon = view->RowIcon(0, large);
    ASSERT_FALSE(icon.isNull());
    const int size = large ? 32 : 16;
    const QImage image = icon.pixmap(size, size).toImage();
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // magenta corner shows through
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
  }
  EXPECT_TRUE(view->RowIcon(99, false).isNull());
}

TEST(FileListViewNative, ListsARealDirectory) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QDir(dir.path()).mkdir(QStringLiteral("sub"));
  for (const char* name : {"one.txt", "Two.bin", ".dot"}) {
    QFile f(dir.filePath(QString::fromUtf8(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("12345");
  }
  testsupport::GuiHarness h;
  lists::CFileView* view = h.frame()->FileView();
  shell::CKolbrinDoc* doc = h.app->Document();
  doc->m_strPath = dir.path().toStdString();
  doc->UpdateAllViews(nullptr, fw::UpdateHint(doc->m_strPath));
  ASSERT_EQ(view->RowCount(), 3);  // not the subdirectory
  EXPECT_EQ(view->CellText(0, 0), ".dot");
  EXPECT_EQ(view->CellText(0, 2), "AH");
  EXPECT_EQ(view->CellText(2, 1), "5 Byte");
  EXPECT_EQ(view->CellText(1, 3).size(), 20u);  // "dd.mm.yyyy  hh:mm:ss"
}

// A shown top-level pane destroyed with rows: its child views are hidden
// after the rows are gone and must not ask for them.
TEST(FileListViewLifetime, DestroyedWhileShownWithRows) {
  test_support::FakeFileSystem fs;
  for (int i = 0; i < 50; ++i) fs.AddFile("/d/f" + std::to_string(i), 1);
  shell::CKolbrinDoc doc(fs);
  auto view = std::make_unique<lists::CFileView>(doc, nullptr);
  view->show();
  doc.m_strPath = "/d";
  doc.UpdateAllViews(nullptr, fw::UpdateHint(doc.m_strPath));
  QApplication::processEvents();
  EXPECT_EQ(view->RowCount(), 50);
  view.reset();
  EXPECT_TRUE(doc.Views().empty());
}

}  // namespace
