// The drive tree as a user drives it, offscreen: the first selection, every
// road that opens an item, refusal of empty expansions, selection into the
// document, the context menu and the print commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <functional>

#include "shell/KolbrinDoc.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GuiHarness.h"
#include "tree/ui/DriveTreeModel.h"
#include "tree/ui/DriveView.h"

namespace {

// A view joined to the document after the tree: records what the lists get.
class RecordingView : public fw::CView {
 public:
  explicit RecordingView(fw::CDocument& doc) { SetDocument(&doc); }
  void OnUpdate(fw::CView* sender, const fw::UpdateHint& hint) override {
    if (!hint.IsRepaintOnly()) paths.push_back(hint.Path());
    lastSender = sender;
  }
  std::vector<std::string> paths;
  fw::CView* lastSender = nullptr;
};

// The tree alone over a document, shown offscreen.
struct TreeFixture {
  test_support::FakeFileSystem fs;
  std::unique_ptr<shell::CKolbrinDoc> doc;
  std::unique_ptr<tree::CDriveView> view;
  std::unique_ptr<RecordingView> lists;

  void Start(bool show = true) {
    doc = std::make_unique<shell::CKolbrinDoc>(fs);
    view = std::make_unique<tree::CDriveView>(*doc, nullptr);
    lists = std::make_unique<RecordingView>(*doc);
    view->resize(300, 400);
    if (show) Show();
  }
  void Show() {
    view->show();
    QApplication::processEvents();
  }
  ~TreeFixture() {
    lists.reset();
    view.reset();
  }
  tree::DriveTreeModel* model() const { return view->Model(); }
  // The item reached by row numbers from the top level.
  QModelIndex At(std::initializer_list<int> rows) const {
    QModelIndex index;
    for (int row : rows) index = model()->index(row, 0, index);
    return index;
  }
  QStringList Names(const QModelIndex& parent) const {
    QStringList out;
    for (int r = 0; r < model()->rowCount(parent); ++r) out << model()->index(r, 0, parent).data().toString();
    return out;
  }
  void Key(int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &press);
  }
  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, pos, view->viewport()->mapToGlobal(pos), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &e);
  }
  void Click(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, pos, button);
    Mouse(QEvent::MouseButtonRelease, pos, button);
  }
  QModelIndex Find(const QModelIndex& parent, const QByteArray& bytes) const {
    for (int r = 0; r < model()->rowCount(parent); ++r) {
      const QModelIndex i = model()->index(r, 0, parent);
      if (i.data(tree::DriveTreeModel::kNameBytesRole).toByteArray() == bytes) return i;
    }
    return {};
  }
  QPoint Label(const QModelIndex& i) const { return view->visualRect(i).center(); }
  QPoint Button(const QModelIndex& i) const {
    const QRect r = view->visualRect(i);
    return {r.left() - view->indentation() / 2, r.center().y()};
  }
};

TEST(DriveView, FirstSelectionReachesTheListsExactlyOnce) {
  TreeFixture f;
  f.fs.AddDrive("/", platform::kDriveFixed);
  f.fs.AddDrive("/home/", platform::kDriveFixed);
  f.fs.AddDirectory("/usr/lib");
  f.Start(false);
  EXPECT_TRUE(f.lists->paths.empty());  // building the tree selects nothing
  f.view->ReselectCurrent();
  f.Show();
  f.view->setFocus();
  f.view->activateWindow();
  QApplication::processEvents();
  f.view->ReselectCurrent();
  EXPECT_EQ(f.lists->paths, std::vector<std::string>{"/"});
  EXPECT_EQ(f.lists->lastSender, f.view.get());
  EXPECT_EQ(f.doc->m_strPath, "/");
  EXPECT_TRUE(f.view->selectionModel()->isSelected(f.At({0})));
}

TEST(DriveView, DrivesImagesAndSortedDirectories) {
  TreeFixture f;
  f.fs.AddDrive("/media/stick/", platform::kDriveRemovable);
  f.fs.AddDrive("/", platform::kDriveFixed);
  f.fs.AddDrive("/srv/", platform::kDriveFixed);
  f.fs.AddDrive("/media/cd/", platform::kDriveCdRom);
  for (const char* name : {"gamma", "d10", "beta", "\xc3\x84pfel", "Alpha", "d9"})
    f.fs.AddDirectory(std::string("/") + name);
  f.fs.AddDirectory("/srv/www");
  f.Start();
  EXPECT_EQ(f.Names({}), (QStringList{"/media/stick/", "/", "/srv/", "/media/cd/"}));
  EXPECT_TRUE(f.view->isExpanded(f.At({1})));
  for (int row : {0, 2, 3}) {
    EXPECT_FALSE(f.view->isExpanded(f.At({row}))) << row;
    EXPECT_TRUE(f.model()->hasChildren(f.At({row}))) << row;
  }
  EXPECT_EQ(f.Names(f.At({1})), (QStringList{"Alpha", "Äpfel", "beta", "d9", "d10", "gamma", "srv"}));

  // Drive images differ by type; a directory shows its open folder when selected.
  auto icon = [&](const QModelIndex& i) { return i.data(Qt::DecorationRole).value<QIcon>(); };
  EXPECT_FALSE(icon(f.At({0})).isNull());
  EXPECT_NE(icon(f.At({0})).cacheKey(), icon(f.At({1})).cacheKey());
  EXPECT_NE(icon(f.At({3})).cacheKey(), icon(f.At({1})).cacheKey());
  EXPECT_EQ(icon(f.At({1})).cacheKey(), icon(f.At({2})).cacheKey());
  const qint64 closed = icon(f.At({1, 0})).cacheKey();
  f.view->setCurrentIndex(f.At({1, 0}));
  EXPECT_NE(icon(f.At({1, 0})).cacheKey(), closed);
  EXPECT_EQ(icon(f.At({1, 1})).cacheKey(), closed);
}

// Each road that may open an item, applied to the item.
using Road = std::function<void(TreeFixture&, const QModelIndex&)>;

std::vector<std::pair<const char*, Road>> Roads() {
  auto key = [](int k) {
    return [k](TreeFixture& f, const QModelIndex& i) {
      f.view->setCurrentIndex(i);
      f.Key(k);
    };
  };
  return {
      {"Right", key(Qt::Key_Right)},
      {"Plus", key(Qt::Key_Plus)},
      {"Asterisk", key(Qt::Key_Asterisk)},
      {"button", [](TreeFixture& f, const QModelIndex& i) { f.Click(f.Button(i)); }},
      {"double click",
       [](TreeFixture& f, const QModelIndex& i) {
         f.Click(f.Label(i));
         f.Mouse(QEvent::MouseButtonDblClick, f.Label(i));
         f.Mouse(QEvent::MouseButtonRelease, f.Label(i));
       }},
      {"Expand", [](TreeFixture& f, const QModelIndex& i) { f.model()->Expand(tree::DriveTreeModel::ItemOf(i)); }},
      {"expand()", [](TreeFixture& f, const QModelIndex& i) { f.view->expand(i); }},
  };
}

TEST(DriveView, EveryRoadRefusesAnEmptyDirectoryAndOpensAFullOne) {
  for (const auto& [name, road] : Roads()) {
    SCOPED_TRACE(name);
    TreeFixture f;
    f.fs.AddDrive("/", platform::kDriveFixed);
    f.fs.AddDirectory("/empty/only");
    f.fs.AddDirectory("/full/one/two");
    f.Start();
    const QModelIndex empty = f.At({0, 0});
    const QModelIndex full = f.At({0, 1});
    ASSERT_TRUE(f.model()->hasChildren(empty));
    f.fs.AddFile("/empty/only", 0);  // gone after the probe
    int opened = 0;
    QObject::connect(f.view.get(), &QTreeView::expanded, [&](const QModelIndex& i) {
      opened += f.model()->rowCount(i) > 0 && i == full ? 1 : 100;
    });

    road(f, empty);
    EXPECT_FALSE(f.view->isExpanded(empty));
    EXPECT_FALSE(f.model()->hasChildren(empty));  // no button any more
    EXPECT_EQ(f.fs.FindFirstCalls("/empty/*.*"), 2);

    road(f, full);
    EXPECT_TRUE(f.view->isExpanded(full));
    EXPECT_EQ(f.Names(full), QStringList{"one"});
    EXPECT_TRUE(f.model()->hasChildren(f.At({0, 1, 0})));
    // The empty item never showed open (a direct expand() opens before it can ask).
    if (std::string(name) != "expand()") {
      EXPECT_EQ(opened, 1);
    }
  }
}

TEST(DriveView, UnreadableDriveKeepsItsButtonUntilReadable) {
  TreeFixture f;
  f.fs.AddDrive("/", platform::kDriveFixed);
  f.fs.AddDrive("/media/floppy/", platform::kDriveRemovable);
  f.fs.FailListing("/media/floppy");
  f.Start();
  const QModelIndex floppy = f.At({1});
  f.view->setCurrentIndex(floppy);
  f.Key(Qt::Key_Plus);
  EXPECT_FALSE(f.view->isExpanded(floppy));
  EXPECT_EQ(f.model()->rowCount(floppy), 1);  // the placeholder is back
  EXPECT_EQ(f.fs.FindFirstCalls("/media/floppy/*.*"), 1);
}

TEST(DriveView, CollapsingThrowsTheSubtreeAwayAndSelectsTheClosingItemOnce) {
  TreeFixture f;
  f.fs.AddDrive("/", platform::kDriveFixed);
  f.fs.AddDirectory("/a/b/c");
  f.fs.AddDirectory("/a/b2");
  f.Start();
  const QModelIndex a = f.At({0, 0});
  f.view->setCurrentIndex(a);
  f.Key(Qt::Key_Right);
  f.Key(Qt::Key_Right);  // onto the first child
  f.Key(Qt::Key_Right);
  f.Key(Qt::Key_Right);  // onto c
  EXPECT_EQ(f.lists->paths.back(), "/a/b/c");
  const size_t before = f.lists->paths.size();
  f.Click(f.Button(a));
  EXPECT_FALSE(f.view->isExpanded(a));
  EXPECT_EQ(f.lists->paths.size(), before + 1);
  EXPECT_EQ(f.lists->paths.back(), "/a");
  f.Key(Qt::Key_Left);  // a closed item: up to its parent
  EXPECT_EQ(f.doc->m_strPath, "/");
}

TEST(DriveView, SelectionPutsTheExactBytesIntoTheDocument) {
  TreeFixture f;
  f.fs.AddDrive("/", platform::kDriveFixed);
  f.fs.AddDirectory("/M\xfcll");
  f.Start();
  const QModelIndex latin1 = f.Find(f.At({0}), "M\xfcll");
  ASSERT_TRUE(latin1.isValid());
  EXPECT_TRUE(latin1.data().toString().contains(QChar(0xFFFD)));
  EXPECT_EQ(latin1.data(tree::DriveTreeModel::kNameBytesRole).toByteArray(), QByteArray("M\xfcll"));
  f.Click(f.Label(latin1));
  EXPECT_EQ(f.doc->m_strPath, "/M\xfcll");
  EXPECT_EQ(f.lists->paths.back(), "/M\xfcll");
}

// The tree inside the real frame.
TEST(DriveViewInFrame, ContextMenuRoutesWithoutSelectingAndPrintIsOff) {
  test_support::FakeFileSystem fs;
  fs.AddDrive("/", platform::kDriveFixed);
  fs.AddDirectory("/alpha");
  fs.AddDirectory("/beta");
  testsupport::GuiHarness h(&fs);
  tree::CDriveView* tree = h.frame()->DriveView();
  tree->setFocus();
  h.frame()->SetActiveView(tree);
  EXPECT_EQ(h.app->Document()->m_strPath, "/");
  EXPECT_FALSE(h.updated(ID_FILE_PRINT)->isEnabled());
  EXPECT_FALSE(h.updated(ID_FILE_PRINT_PREVIEW)->isEnabled());

  const QModelIndex beta = tree->Model()->index(1, 0, tree->Model()->index(0, 0));
  const QPoint at = tree->visualRect(beta).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, tree->viewport()->mapToGlobal(at), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &press);
  EXPECT_EQ(tree->currentIndex(), tree->Model()->index(0, 0));
  auto* menu = tree->findChild<QMenu*>(QStringLiteral("treeContextMenu"));
  ASSERT_NE(menu, nullptr);
  QStringList texts;
  for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(texts, (QStringList{"Verzeichnisinformation", "-", "Beenden"}));
  menu->close();
}

}  // namespace
