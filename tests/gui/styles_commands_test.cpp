// The list commands in the real frame: the file list's four styles from every
// pane, what switching keeps, the icon layouts, when print, preview and the
// exports are enabled and which list they act on, the right mouse button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QTreeView>
#include <array>
#include <cstdio>
#include <vector>

#include "lists/ui/DirView.h"
#include "lists/ui/FileView.h"
#include "shell/KolbrinDoc.h"
#include "tests/core/export_fakes.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"
#include "tree/ui/DriveView.h"

namespace {

using lists::ListStyle;

struct StyleCommand {
  unsigned id;
  ListStyle style;
};
constexpr std::array<StyleCommand, 4> kStyles{{{ID_VIEW_LARGEICON, ListStyle::kIcon},
                                               {ID_VIEW_SMALLICON, ListStyle::kSmallIcon},
                                               {ID_VIEW_LIST, ListStyle::kList},
                                               {ID_VIEW_DETAILS, ListStyle::kReport}}};
constexpr std::array<unsigned, 4> kListCommands{ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_EXPORT_FILE,
                                                ID_EXPORT_EXCEL};

class ListCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddDrive("/", platform::kDriveFixed);
    char name[32];
    for (int i = 0; i < 30; ++i) {
      std::snprintf(name, sizeof name, "/d/file %02d.txt", i);
      fs.AddFile(name, static_cast<std::uint64_t>((i * 7919) % 1000));
    }
    fs.AddFile("/d/sub/inner.txt", 1);
    fs.AddDirectory("/empty");
    h = std::make_unique<testsupport::GuiHarness>(&fs);
    h->frame()->resize(900, 600);
    tree = h->frame()->DriveView();
    files = h->frame()->FileView();
    dirs = h->frame()->DirView();
  }

  void Select(const std::string& path) {
    shell::CKolbrinDoc* doc = h->app->Document();
    doc->m_strPath = path;
    doc->UpdateAllViews(tree, fw::UpdateHint(doc->m_strPath));
  }
  // Makes a pane the active one as a click into it would.
  void Activate(QWidget* pane, fw::CView* view) {
    pane->setFocus();
    h->frame()->SetActiveView(view);
  }
  std::vector<std::pair<QWidget*, fw::CView*>> Panes() {
    return {{tree, tree}, {files, files}, {dirs, dirs}};
  }
  bool Enabled(unsigned id) { return h->updated(id)->isEnabled(); }
  // Print, preview, export to file, export to Excel as the pane gives them.
  void ExpectListCommands(QWidget* pane, fw::CView* view, std::array<bool, 4> on) {
    Activate(pane, view);
    for (size_t i = 0; i < on.size(); ++i) EXPECT_EQ(Enabled(kListCommands[i]), on[i]) << kListCommands[i];
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (int r = 0; r < files->RowCount(); ++r) out.push_back(files->CellText(r, 0));
    return out;
  }

  test_support::FakeFileSystem fs;
  std::unique_ptr<testsupport::GuiHarness> h;
  tree::CDriveView* tree = nullptr;
  lists::CFileView* files = nullptr;
  lists::CDirView* dirs = nullptr;
};

TEST_F(ListCommands, StylesActOnTheFileListFromEveryPane) {
  Select("/d");
  for (auto [pane, view] : Panes()) {
    Activate(pane, view);
    for (const StyleCommand& command : kStyles) {
      h->action(command.id)->trigger();
      EXPECT_EQ(files->GetListStyle(), command.style) << command.id;
      EXPECT_EQ(dirs->GetListStyle(), ListStyle::kReport);
      EXPECT_EQ(dirs->currentWidget(), dirs->DetailsView());
      for (const StyleCommand& other : kStyles) {
        QAction* a = h->updated(other.id);
        EXPECT_TRUE(a->isEnabled());
        EXPECT_TRUE(a->isCheckable());
        EXPECT_EQ(a->isChecked(), other.id == command.id) << command.id << " / " << other.id;
      }
    }
  }
}

TEST_F(ListCommands, SwitchingKeepsRowsSelectionSortAndFocus) {
  Select("/d");
  emit files->DetailsView()->header()->sectionClicked(1);  // by size
  const std::vector<std::string> order = Names();
  QAbstractItemModel* model = files->DetailsView()->model();
  auto* selection = files->DetailsView()->selectionModel();
  for (int row : {2, 3, 17}) {
    selection->select(model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  selection->setCurrentIndex(model->index(17, 0), QItemSelectionModel::NoUpdate);
  Activate(files, files);
  for (const StyleCommand& command : {kStyles[0], kStyles[1], kStyles[2], kStyles[3], kStyles[0]}) {
    h->action(command.id)->trigger();
    EXPECT_EQ(Names(), order);
    EXPECT_EQ(files->SelectedCount(), 3);
    for (int row : {2, 3, 17}) EXPECT_TRUE(files->IsRowSelected(row)) << row;
    EXPECT_EQ(selection->currentIndex().row(), 17);
    EXPECT_EQ(h->frame()->GetActiveView(), files);
    EXPECT_TRUE(files->currentWidget()->hasFocus()) << command.id;
  }
  EXPECT_EQ(files->IconView()->model()->rowCount(), 30);
  EXPECT_EQ(files->IconView()->selectionModel(), selection);
}

// Large icons: the 32-pixel sheet with the name under it, in a grid filled
// row by row; small icons: the 16-pixel sheet in rows; list: in columns.
TEST_F(ListCommands, IconStylesLayOutAsExpected) {
  Select("/d");
  h->frame()->show();
  struct Expect {
    unsigned id;
    int iconSize;
    bool rows;  // the second item right of the first, else below it
  };
  for (const Expect& e : {Expect{ID_VIEW_LARGEICON, 32, true}, Expect{ID_VIEW_SMALLICON, 16, true},
                          Expect{ID_VIEW_LIST, 16, false}}) {
    h->action(e.id)->trigger();
    QApplication::processEvents();
    QListView* list = files->IconView();
    EXPECT_EQ(files->currentWidget(), list);
    EXPECT_EQ(list->iconSize(), QSize(e.iconSize, e.iconSize));
    const QRect first = list->visualRect(list->model()->index(0, 0));
    const QRect second = list->visualRect(list->model()->index(1, 0));
    EXPECT_EQ(e.rows ? first.top() : first.left(), e.rows ? second.top() : second.left()) << e.id;
    EXPECT_GT(e.rows ? second.left() : second.top(), e.rows ? first.left() : first.top()) << e.id;
    // Only large icons have the name under the symbol.
    EXPECT_EQ(first.height() > 32 + 8, e.id == ID_VIEW_LARGEICON) << first.height();
    EXPECT_EQ(first.height() < 32, e.id != ID_VIEW_LARGEICON) << first.height();
  }
}

TEST_F(ListCommands, ListCommandsNeedRowsInTheListThatReceivesThem) {
  for (auto [pane, view] : Panes()) ExpectListCommands(pane, view, {false, false, false, false});
  Select("/d");  // file rows; the directory information is off, so no directory rows
  ASSERT_GT(files->RowCount(), 0);
  ASSERT_EQ(dirs->RowCount(), 0);
  ExpectListCommands(files, files, {true, true, true, true});
  ExpectListCommands(dirs, dirs, {false, false, false, false});
  ExpectListCommands(tree, tree, {false, false, true, true});  // the exports reach the file list

  h->action(ID_VIEW_DIRSCAN)->trigger();
  Select("/d");
  ASSERT_GT(dirs->RowCount(), 0);
  ExpectListCommands(dirs, dirs, {true, true, true, true});
  Select("/empty");  // one directory row, no files
  ExpectListCommands(tree, tree, {false, false, false, false});
}

TEST_F(ListCommands, ExportsActOnTheListThatReceivesThem) {
  h->action(ID_VIEW_DIRSCAN)->trigger();
  Select("/d");
  ASSERT_NE(files->RowCount(), dirs->RowCount());
  exporttest::RecordingServer server;
  exporttest::ScriptedUi ui(server);
  ui.selection = std::nullopt;  // the user cancels at the record selection
  shell::CKolbrinDoc* doc = h->app->Document();
  doc->SetExportUi(&ui);
  for (lists::CListViewBase* list : {static_cast<lists::CListViewBase*>(files),
                                     static_cast<lists::CListViewBase*>(dirs)}) {
    QAbstractItemModel* m = list->DetailsView()->model();
    list->DetailsView()->selectionModel()->select(m->index(0, 0), QItemSelectionModel::Select |
                                                                         QItemSelectionModel::Rows);
  }
  const std::vector<std::tuple<QWidget*, fw::CView*, unsigned, int>> cases{
      {tree, tree, ID_EXPORT_FILE, files->RowCount()},
      {tree, tree, ID_EXPORT_EXCEL, files->RowCount()},
      {files, files, ID_EXPORT_FILE, files->RowCount()},
      {dirs, dirs, ID_EXPORT_EXCEL, dirs->RowCount()},
      {dirs, dirs, ID_EXPORT_FILE, dirs->RowCount()}};
  for (const auto& [pane, view, id, rows] : cases) {
    ui.selectionAsked.clear();
    Activate(pane, view);
    ASSERT_TRUE(Enabled(id));
    h->action(id)->trigger();
    ASSERT_EQ(ui.selectionAsked.size(), 1u) << id;
    EXPECT_EQ(ui.selectionAsked[0], std::make_pair(rows, 1)) << id;
  }
  EXPECT_TRUE(server.log->empty());  // cancelled before anything was started
  doc->SetExportUi(nullptr);
}

TEST_F(ListCommands, RightClickInAListShowsNoMenu) {
  Select("/d");
  h->frame()->show();
  for (lists::CListViewBase* list : {static_cast<lists::CListViewBase*>(files),
                                     static_cast<lists::CListViewBase*>(dirs)}) {
    for (ListStyle style : {ListStyle::kReport, ListStyle::kIcon}) {
      list->SetListStyle(style);
      auto* itemView = qobject_cast<QAbstractItemView*>(list->currentWidget());
      QWidget* viewport = itemView->viewport();
      const QPoint at(10, 10);
      QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::RightButton,
                        Qt::RightButton, Qt::NoModifier);
      QApplication::sendEvent(viewport, &press);
      QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
      QApplication::sendEvent(viewport, &menu);
      QApplication::processEvents();
      EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    list->SetListStyle(ListStyle::kReport);
  }
}

}  // namespace
