// The drive tree in the real frame, driven by keys and mouse.
#include <QSignalSpy>

#include "tests/support/GuiHarness.h"

namespace {

using testsupport::ClickItem;
using testsupport::GuiHarness;
using DriveView = testsupport::FrameTest<>;

QPoint ButtonOf(const tree::qt::CDriveView* tree, const QModelIndex& i) {
  const QRect r = tree->visualRect(i);
  return {r.left() - tree->indentation() / 2, r.center().y()};
}

TEST_F(DriveView, StartSelectsTheFirstFixedDriveOnceWithImagesAndSortedDirectories) {
  fs.AddDrive("/media/stick/", platform::kDriveRemovable);
  fs.AddDrive("/srv/", platform::kDriveFixed);
  fs.AddDrive("/media/cd/", platform::kDriveCdRom);
  for (const char* name : {"gamma", "d10", "beta", "\xc3\x84pfel", "Alpha", "d9"})
    fs.AddDirectory(std::string("/") + name);
  fs.AddDirectory("/srv/www");
  Start();
  const auto* m = h->tree()->model();
  const QModelIndex root = m->index(0, 0);
  EXPECT_EQ(h->tree()->currentIndex(), root);
  EXPECT_EQ(h->app->Document()->Path(), "/");
  // The probe, the expansion and the file list; a second selection would list again.
  EXPECT_EQ(fs.FindFirstCalls("/"), 3);
  EXPECT_EQ(GuiHarness::Children(m, root), (QStringList{"Alpha", "Äpfel", "beta", "d9", "d10", "gamma", "srv"}));
  // Drive images differ by type; a directory shows its open folder when selected.
  auto icon = [m](int row, const QModelIndex& parent = {}) {
    return m->index(row, 0, parent).data(Qt::DecorationRole).value<QIcon>().cacheKey();
  };
  EXPECT_NE(icon(1), icon(0));
  EXPECT_NE(icon(3), icon(0));
  EXPECT_EQ(icon(0), icon(2));
  const qint64 closed = icon(0, root);
  QTest::keyClick(h->tree(), Qt::Key_Down);
  const std::vector<QIcon>& images = h->tree()->Model()->Images();
  EXPECT_EQ(icon(0, root), images.at(tree::kImageOpenFolder).cacheKey());
  EXPECT_EQ(icon(1, root), closed);
  EXPECT_EQ(closed, images.at(tree::kImageFolder).cacheKey());
}

TEST(DriveViewRoads, EveryRoadRefusesAnEmptyDirectoryAndOpensAFullOne) {
  using Road = std::function<void(tree::qt::CDriveView*, const QModelIndex&)>;
  auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = {}) -> Road {
    return [k, modifiers](tree::qt::CDriveView* t, const QModelIndex& i) {
      ClickItem(t, i);
      QTest::keyClick(t, k, modifiers);
    };
  };
  const std::pair<const char*, Road> roads[] = {
      {"Right", key(Qt::Key_Right)},
      {"keypad Plus", key(Qt::Key_Plus, Qt::KeypadModifier)},
      {"keypad Asterisk", key(Qt::Key_Asterisk, Qt::KeypadModifier)},
      {"button", [](tree::qt::CDriveView* t, const QModelIndex& i) {
         QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, ButtonOf(t, i));
       }},
      {"double click", [](tree::qt::CDriveView* t, const QModelIndex& i) {
         QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(i).center());
       }},
  };
  for (const auto& [name, road] : roads) {
    SCOPED_TRACE(name);
    test_support::FakeFileSystem fs;
    fs.AddDrive("/", platform::kDriveFixed);
    fs.AddDirectory("/empty/only");
    fs.AddDirectory("/full/one/two");
    GuiHarness h(&fs);
    const QModelIndex empty = h.TreeItem("/empty");
    const QModelIndex full = h.TreeItem("/full");
    ASSERT_TRUE(h.tree()->model()->hasChildren(empty));
    fs.AddFile("/empty/only", 0);  // gone after the probe
    int opened = 0;
    QObject::connect(h.tree(), &QTreeView::expanded, [&](const QModelIndex& i) {
      opened += h.tree()->model()->rowCount(i) > 0 && i == full ? 1 : 100;
    });
    road(h.tree(), empty);
    EXPECT_FALSE(h.tree()->isExpanded(empty));
    EXPECT_FALSE(h.tree()->model()->hasChildren(empty));  // no button any more
    road(h.tree(), full);
    EXPECT_TRUE(h.tree()->isExpanded(full));
    EXPECT_EQ(GuiHarness::Children(h.tree()->model(), full), QStringList{"one"});
    EXPECT_TRUE(h.tree()->model()->hasChildren(h.TreeItem("/full/one")));
    EXPECT_EQ(opened, 1);  // the empty item never showed open
  }
}

// Closing an item that holds the selection selects it, once, as a click
// on it would; Left on a closed item goes up to its parent. A name that is
// not UTF-8 shows a replacement character, the document gets its exact
// bytes, and the file list reads with them and shows its odd names.
TEST_F(DriveView, CollapsingSelectsTheClosingItemOnceLeftGoesUpNamesKeepTheirBytes) {
  fs.AddDirectory("/a/b/c");
  fs.AddFile("/a/b2/x", 1);
  fs.AddFile("/a/y", 1);
  fs.AddFile("/M\xfcll/" + std::string("x;y\tz\n&\xff\xfe.txt", 13), 1);
  fs.AddFile("/M\xfcll/Gr\xC3\xB6\xC3\x9F" "e & Co.txt", 2);
  Start();
  tree::qt::CDriveView* tree = h->tree();
  QSignalSpy refills(h->files()->DetailsView()->model(), &QAbstractItemModel::modelReset);
  ClickItem(tree, h->TreeItem("/a"));
  const qsizetype perSelection = refills.count();
  ASSERT_GT(perSelection, 0);
  for (int i = 0; i < 4; ++i) QTest::keyClick(tree, Qt::Key_Right);  // open a, onto b, open b, onto c
  ASSERT_EQ(h->app->Document()->Path(), "/a/b/c");
  refills.clear();
  const QModelIndex a = h->TreeItem("/a");
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, ButtonOf(tree, a));
  EXPECT_FALSE(tree->isExpanded(a));
  EXPECT_EQ(refills.count(), perSelection);
  EXPECT_EQ(h->app->Document()->Path(), "/a");
  EXPECT_EQ(GuiHarness::Column(h->files(), 0), QStringList{"y"});
  QTest::keyClick(tree, Qt::Key_Left);
  EXPECT_EQ(h->app->Document()->Path(), "/");
  const QModelIndex item = h->TreeItem("/M\xfcll");
  ASSERT_TRUE(item.isValid());
  EXPECT_EQ(item.data().toString(), QStringLiteral("M\uFFFDll"));
  ClickItem(h->tree(), item);
  EXPECT_EQ(h->app->Document()->Path(), "/M\xfcll");
  const QAbstractItemModel* m = h->files()->DetailsView()->model();
  ASSERT_EQ(m->rowCount(), 2);
  EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("Größe & Co.txt"));
  EXPECT_EQ(m->index(1, 0).data().toString(), QStringLiteral("x;y\tz\n&\uFFFD\uFFFD.txt"));
}

// Typed names search the open items, the main keyboard's '-' among them,
// while the keypad's '-' closes an item. Keys typed while a listing is
// waited for are not lost and count from when they were typed.
using TypedSearch = testsupport::FrameTest<test_support::GateFiles>;
TEST_F(TypedSearch, KeysTypedDuringAListingTakeEffectAfterItAsOneRunOfTyping) {
  for (const char* dir : {"/a-b", "/a-c", "/g1", "/g2"}) fs.AddDirectory(dir);
  for (const char* file : {"/fat/x", "/fat/y", "/fzz/z"}) fs.AddFile(file, 1);
  Start();
  tree::qt::CDriveView* tree = h->tree();
  const auto path = [this] { return h->app->Document()->Path(); };
  using testsupport::TypeAt;
  TypeAt(tree, Qt::Key_A, "a", 1000);
  TypeAt(tree, Qt::Key_Minus, "-", 1200);
  TypeAt(tree, Qt::Key_C, "c", 1400);
  EXPECT_EQ(path(), "/a-c");
  TypeAt(tree, Qt::Key_A, "a", 5000);  // after a pause: a new search, from the next item
  EXPECT_EQ(path(), "/a-b");
  // The first key's listing waits; the second is typed meanwhile, later.
  const auto typedDuring = [&](const char* dir, Qt::Key first, const char* text, Qt::Key then, const char* thenText,
                               ulong time, ulong later) {
    fs.Hold(dir);
    testsupport::WhenReady(h->frame(), [this] { return fs.reached.load(); }, [=, this] {
      TypeAt(tree, then, thenText, later);
      fs.Release();
    });
    TypeAt(tree, first, text, time);
    QApplication::processEvents();
  };
  typedDuring("/fat", Qt::Key_F, "f", Qt::Key_Z, "z", 9000, 9300);  // "fat" lists while 'z' comes
  EXPECT_EQ(path(), "/fzz");
  EXPECT_EQ(GuiHarness::Column(h->files(), 0), QStringList{"z"});
  typedDuring("/g1", Qt::Key_Down, "", Qt::Key_Down, "", 20000, 20100);
  EXPECT_EQ(path(), "/g2");
  const QModelIndex root = h->TreeItem("/");
  ClickItem(tree, root);
  QTest::keyClick(tree, Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_FALSE(tree->isExpanded(root));
}

// The first fixed drive is read while the frame is made, before it has its
// status bar: a drive slow to answer must not bring it down.
TEST_F(TypedSearch, AFirstDriveSlowToAnswerStillLetsTheFrameComeUp) {
  fs.AddDirectory("/a");
  fs.Hold("/");
  testsupport::WhenReady(qApp, [this] { return fs.reached.load(); }, [this] { fs.Release(); });
  Start();
  EXPECT_EQ(h->frame()->MessageText(), "Bereit");
}

}  // namespace
