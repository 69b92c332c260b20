// The file list pane in the real frame: headings, styles and the commands it enables.
#include <QListView>

#include "tests/support/GuiHarness.h"

namespace {

using lists::ListStyle;
using testsupport::ClickItem;
using testsupport::GuiHarness;

class FileListView : public testsupport::FrameTest<> {
 protected:
  void SetUp() override {
    fs.AddFile("/d/b.txt", 300);
    fs.AddFile("/d/C.txt", 100);
    fs.AddFile("/d/.hidden", 200);
    fs.AddDirectory("/d/sub");
    fs.AddFile("/d/a.txt", 400);
    for (int i = 0; i < 30; ++i) fs.AddFile("/d/z" + std::to_string(i), 1);
    fs.AddDirectory("/empty");
    Start("/d");
    files = h->files();
    h->frame()->resize(900, 600);
  }
  QStringList Names() const { return GuiHarness::Column(files, 0).mid(0, 4); }
  QModelIndex Row(int row) const { return GuiHarness::Row(files, row); }

  lists::qt::CFileView* files = nullptr;
};

// Headings as print and export read them, cells justified as the columns
// say; a click sorts, the selection stays on the same files until the next
// listing (whose directions the core tests check).
TEST_F(FileListView, HeadingClicksSortAndTheSelectionStaysOnTheSameFiles) {
  QAbstractItemModel* m = files->DetailsView()->model();
  const Qt::Alignment align[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight,
                                 Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter};
  for (int c = 0; c < 6; ++c) {
    output::ListColumn column;
    ASSERT_TRUE(files->GetColumn(c, column));
    EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), QString::fromStdString(column.title));
    EXPECT_EQ(files->DetailsView()->header()->sectionSize(c), column.width);
    EXPECT_TRUE(m->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & align[c]) << c;
  }
  ASSERT_EQ(Names(), (QStringList{".hidden", "a.txt", "b.txt", "C.txt"}));
  ClickItem(files->DetailsView(), Row(1));
  ClickItem(files->DetailsView(), Row(3), Qt::LeftButton, Qt::ControlModifier);
  testsupport::ClickHeading(files->DetailsView()->header(), 1);
  EXPECT_EQ(Names(), (QStringList{"a.txt", "b.txt", ".hidden", "C.txt"}));
  EXPECT_EQ(files->SelectedCount(), 2);
  EXPECT_TRUE(files->IsRowSelected(0) && files->IsRowSelected(3));
  ClickItem(h->tree(), h->TreeItem("/empty"));
  ClickItem(h->tree(), h->TreeItem("/d"));
  EXPECT_EQ(files->SelectedCount(), 0);
}

// Each style chosen from the menu, with the file list active: the rows,
// their order, the selection, the current row and the focus stay; only
// the file list changes, and the menu checks the chosen style.
TEST_F(FileListView, StylesFromTheMenuKeepRowsSelectionSortAndFocus) {
  testsupport::ClickHeading(files->DetailsView()->header(), 1);
  ClickItem(files->DetailsView(), Row(2));
  ClickItem(files->DetailsView(), Row(17), Qt::LeftButton, Qt::ControlModifier);
  const QStringList order = GuiHarness::Column(files, 0);
  // The icon size, and whether the second item stands right of the first, else below it.
  const std::tuple<res::Id, ListStyle, int, bool> styles[] = {{ID_VIEW_LARGEICON, ListStyle::kIcon, 32, true},
                      {ID_VIEW_SMALLICON, ListStyle::kSmallIcon, 16, true},
                      {ID_VIEW_LIST, ListStyle::kList, 16, false},
                      {ID_VIEW_DETAILS, ListStyle::kReport, 0, false}};
  for (const auto& [id, style, iconSize, rows] : styles) {
    SCOPED_TRACE(id);
    h->Choose(id);
    EXPECT_EQ(files->GetListStyle(), style);
    EXPECT_EQ(h->dirs()->currentWidget(), h->dirs()->DetailsView());
    for (const auto& other : styles) EXPECT_EQ(h->Shown(std::get<0>(other))->isChecked(), std::get<0>(other) == id);
    EXPECT_EQ(GuiHarness::Column(files, 0), order);
    EXPECT_EQ(files->SelectedCount(), 2);
    EXPECT_TRUE(files->IsRowSelected(2) && files->IsRowSelected(17));
    EXPECT_EQ(files->currentWidget()->focusWidget(), QApplication::focusWidget());
    EXPECT_EQ(qobject_cast<QAbstractItemView*>(files->currentWidget())->currentIndex().row(), 17);
    if (iconSize == 0) continue;
    QListView* list = files->IconView();
    EXPECT_EQ(list->iconSize(), QSize(iconSize, iconSize));
    const QRect first = list->visualRect(list->model()->index(0, 0));
    const QRect second = list->visualRect(list->model()->index(1, 0));
    EXPECT_EQ(rows ? first.top() : first.left(), rows ? second.top() : second.left());
    EXPECT_GT(rows ? second.left() : second.top(), rows ? first.left() : first.top());
    EXPECT_EQ(first.height() > 32 + 8, style == ListStyle::kIcon);  // the name under the symbol
  }
}

// Print, preview and the exports as the Aktion menu shows them with each
// pane active (F6 moves on): enabled while the list that would receive them
// has rows; with the tree active the exports reach the file list.
TEST_F(FileListView, ListCommandsNeedRowsInTheListThatReceivesThemAndNoListHasAMenu) {
  const res::Id ids[] = {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_EXPORT_FILE, ID_EXPORT_EXCEL};
  auto expect = [&](std::array<bool, 4> on) {
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(h->Shown(ids[i])->isEnabled(), on[i]) << ids[i];
  };
  expect({false, false, true, true});  // the tree
  h->Press(Qt::Key_F6);
  expect({true, true, true, true});
  h->Press(Qt::Key_F6);
  expect({false, false, false, false});  // the directory information is off
  h->Choose(ID_VIEW_DIRSCAN);
  expect({true, true, true, true});
  h->Press(Qt::Key_F6);
  ClickItem(h->tree(), h->TreeItem("/empty"));  // one directory row, no files
  expect({false, false, false, false});
  // A right click in a list shows no menu.
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(files->DetailsView()),
                                  static_cast<QAbstractItemView*>(h->dirs()->DetailsView()),
                                  static_cast<QAbstractItemView*>(files->IconView())}) {
    if (view == files->IconView()) h->Choose(ID_VIEW_LARGEICON);
    const QPoint at = view->viewport()->mapTo(h->frame(), QPoint(10, 10));
    QTest::mouseClick(h->frame()->windowHandle(), Qt::RightButton, {}, at);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
}

}  // namespace
