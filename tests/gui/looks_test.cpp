// How the windows look at the screen scale the run started with (CTest runs
// this suite at 1, 1.5 and 2), each kept as a PNG under test-output/looks.
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "driveinfo/qt/DriveInfoDlg.h"
#include "framework/qt/ModalWait.h"
#include "framework/qt/GroupFrame.h"
#include "lists/qt/IconItemDelegate.h"
#include "output/qt/ExportSelectDlg.h"
#include "shell/qt/AboutDlg.h"
#include "tests/support/GuiHarness.h"

namespace {

using fw::qt::CDialog;
using fw::qt::GroupFrame;
using Looks = testsupport::FrameTest<>;

void SaveGrab(QWidget* w, const QString& name) {
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
  EXPECT_TRUE(w->grab().save(testsupport::OutputPath(QStringLiteral("looks/%1@%2.png").arg(name, scale))));
}

QRect Units(const res::DialogControl& c) { return {c.x, c.y, c.cx, c.cy}; }

// The text a control shows and the room its style leaves for it.
std::pair<QString, QRect> TextAndRoom(QWidget* w) {
  if (auto* g = dynamic_cast<GroupFrame*>(w)) return {g->title(), g->TitleRect()};
  if (auto* l = qobject_cast<QLabel*>(w)) return {l->text(), l->contentsRect()};
  auto* b = qobject_cast<QAbstractButton*>(w);
  if (b == nullptr) return {};
  QStyleOptionButton opt;
  opt.initFrom(b);
  const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
  return {b->text(), b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents
                                                      : QStyle::SE_PushButtonContents, &opt, b)};
}

// Each control on its template rectangle, apart from those the template
// keeps apart, its text within it; inside a group box within the frame
// line and clear of the title; a label beside an edit on the edit's text line.
void ExpectLaidOutAsTemplate(const CDialog& d) {
  const auto tpl = d.Template().controls;
  const std::vector<QWidget*>& w = d.Controls();
  ASSERT_EQ(w.size(), tpl.size());
  const fw::DialogBaseUnits base = fw::qt::BaseUnitsOf(d.font());
  for (std::size_t i = 0; i < tpl.size(); ++i) {
    SCOPED_TRACE(testing::Message() << d.windowTitle().toStdString() << ", control " << i);
    const fw::PixelRect r = fw::DialogRectToPixels(tpl[i].x, tpl[i].y, tpl[i].cx, tpl[i].cy, base);
    EXPECT_EQ(w[i]->geometry(), QRect(r.x, r.y, r.width, r.height));
    EXPECT_TRUE(d.rect().contains(w[i]->geometry()));
    if (const auto [text, room] = TextAndRoom(w[i]); !text.isEmpty()) {
      EXPECT_LE(w[i]->fontMetrics().horizontalAdvance(text), room.width()) << tpl[i].text;
      EXPECT_LE(w[i]->fontMetrics().height(), room.height()) << tpl[i].text;
      EXPECT_TRUE(w[i]->rect().contains(room)) << tpl[i].text;
    }
    const auto* group = dynamic_cast<const GroupFrame*>(w[i]);
    const auto* edit = qobject_cast<const QLineEdit*>(w[i]);
    for (std::size_t j = 0; j < tpl.size(); ++j) {
      const QRect other = w[j]->geometry();
      if (j > i && !Units(tpl[i]).intersects(Units(tpl[j]))) {
        EXPECT_FALSE(w[i]->geometry().intersects(other)) << j;
      }
      if (group != nullptr && j != i && Units(tpl[i]).contains(Units(tpl[j]))) {
        EXPECT_TRUE(group->FrameRect().adjusted(1, 1, -1, -1).translated(group->pos()).contains(other)) << j;
        EXPECT_FALSE(group->TitleRect().translated(group->pos()).intersects(other)) << j;
      }
      const res::DialogControl& e = tpl[i];
      if (edit != nullptr && qobject_cast<QLabel*>(w[j]) != nullptr && tpl[j].x + tpl[j].cx <= e.x &&
          tpl[j].y >= e.y && tpl[j].y < e.y + e.cy) {
        EXPECT_EQ(other.y(), edit->y() + edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().top()) << j;
      }
    }
  }
}

TEST_F(Looks, DialogTemplatesKeepTheirControlsApartAndTheirTextsWhole) {
  fs.AddDrive("/run/media/benutzer/SEHR_LANGER_NAME_DES_STICKS/", platform::kDriveRemovable);
  fs.SetVolumeInfo("/", {"system", 0xFFFFFFFFu, 255, 0x1 | 0x2 | 0x8000, "btrfs"});
  Start();  // with the fonts the program installs
  shell::CAboutDlg about(h->frame());
  driveinfo::CDriveInfoDlg drives(fs, h->app->Waiter(), h->frame());
  auto check = [](CDialog* d, const char* name) {
    d->show();
    QApplication::processEvents();
    SaveGrab(d, QString::fromLatin1(name));  // painted: the edits have placed their text
    EXPECT_EQ(QFontInfo(d->font()).family(), QStringLiteral("Liberation Sans"));
    ExpectLaidOutAsTemplate(*d);
  };
  check(&about, "about");
  check(&drives, "driveinfo");
  output::CExportSelectDlg select(h->frame());
  select.m_nTotal = 12345678;  // counts of eight digits in both captions
  select.m_nSelected = 99999999;
  bool shown = false;
  testsupport::WhenModal<output::CExportSelectDlg>([&](output::CExportSelectDlg* d) {
    check(d, "export_select");
    shown = true;
    QTest::keyClick(d, Qt::Key_Escape);
  });
  select.DoModal();
  EXPECT_TRUE(shown);
  // The drive types start under the "Typ" heading, the template's third control.
  const QListWidget* list = drives.DriveList();
  const QPoint type(list->visualItemRect(list->item(0)).left() + drives.TypeTabStop(), 0);
  EXPECT_NEAR(list->viewport()->mapTo(&drives, type).x(), drives.Controls()[2]->x(), 3);
}

const QString kTypical[] = {QStringLiteral("a.txt"), QStringLiteral("411tabelle-2023.xlsx"),
                            QStringLiteral("clangd-config.yaml"), QStringLiteral("Protokoll der Sitzung.docx")};
const QString kLong = QStringLiteral(
    "Ein besonders langer Dateiname, wie ihn manche Programme f\u00fcr ihre Sicherungen w\u00e4hlen, "
    "mit Datum 2023-11-14.bak");

class LooksOfFrame : public testsupport::FrameTest<> {
 protected:
  void SetUp() override {
    fs.AddDrive("/home", platform::kDriveFixed);
    fs.AddDrive("/mnt/net", platform::kDriveRemote);
    fs.AddDrive("/mnt/usb", platform::kDriveRemovable);
    for (const QString& name : kTypical) fs.AddFile("/" + name.toStdString(), 1);
    fs.AddFile("/" + kLong.toStdString(), 2);
    for (int i = 0; i < 24; ++i) fs.AddFile("/Datei " + std::to_string(100 + i) + ".txt", 3);
    Start();
    h->frame()->resize(1000, 700);
    files = h->files();
    ASSERT_TRUE(QTest::qWaitFor([this] { return files->RowCount() == 29; }));
  }
  QModelIndex Row(const QString& name) const {
    const QAbstractItemModel* m = files->IconView()->model();
    return m->match(m->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0);
  }

  lists::qt::CFileView* files = nullptr;
};

// Typical names whole in at most two lines; a long one's first two lines,
// the second shortened at its end; the focused item's whole name reaching
// over the items below.
TEST_F(LooksOfFrame, LargeIconsWrapNamesAndShowTheFocusedOneWhole) {
  h->Choose(ID_VIEW_LARGEICON);
  QListView* view = files->IconView();
  const QFontMetrics fm = view->fontMetrics();
  const int width = lists::qt::IconItemDelegate::LabelWidth(fm);
  for (const QString& name : kTypical) {
    const QString shown = lists::qt::IconItemDelegate::LabelLines(name, fm, width, false).join(QString());
    EXPECT_EQ(shown.simplified().remove(' '), QString(name).remove(' '));
  }
  const QStringList lines = lists::qt::IconItemDelegate::LabelLines(kLong, fm, width, false);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
  EXPECT_TRUE(QString(kLong).remove(' ').startsWith(lines.join(QString()).chopped(1).remove(' ')));
  EXPECT_LE(qMax(fm.horizontalAdvance(lines[0]), fm.horizontalAdvance(lines[1])), width);
  const QRect item = view->visualRect(Row(kLong));
  EXPECT_GE(item.height(), 32 + 2 * fm.lineSpacing());
  testsupport::ClickItem(view, Row(kTypical[0]));
  const QImage below = view->viewport()->grab(item.translated(0, item.height())).toImage();
  testsupport::ClickItem(view, Row(kLong));
  ASSERT_TRUE(view->hasFocus());
  EXPECT_TRUE(view->viewport()->grab(item.translated(0, item.height())).toImage() != below);
  SaveGrab(files, QStringLiteral("style_large"));
  // The sheet symbols show the background through their magenta corner.
  for (const int size : {16, 32}) {
    const QImage image = files->RowIcon(0, size == 32).pixmap(size, size).toImage();
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
  }
}

TEST_F(LooksOfFrame, SmallIconsAndListKeepWholeNamesWhileThePaneAllowsDetailsTheLastColumn) {
  for (const auto& [item, name] : {std::pair{ID_VIEW_SMALLICON, "style_small"}, {ID_VIEW_LIST, "style_list"}}) {
    h->frame()->resize(1000, 700);
    h->Choose(item);
    QListView* view = files->IconView();
    const int room = view->fontMetrics().horizontalAdvance(kLong) + view->iconSize().width();
    EXPECT_GE(view->visualRect(Row(kTypical[0])).width(), room) << name;
    SaveGrab(files, QString::fromLatin1(name));
    h->frame()->resize(500, 700);
    QApplication::processEvents();
    ASSERT_LT(view->viewport()->width(), room);
    EXPECT_LE(view->visualRect(Row(kLong)).width(), view->viewport()->width()) << name;
    SaveGrab(files, QString::fromLatin1(name) + QStringLiteral("_narrow"));
  }
  // Details show the last column whole beside the scroll bar.
  h->frame()->resize(1000, 700);
  h->Choose(ID_VIEW_DETAILS);
  QTreeView* view = files->DetailsView();
  QHeaderView* header = view->header();
  testsupport::ClickItem(view, view->model()->index(2, 3));
  SaveGrab(files, QStringLiteral("style_details"));  // the label cell shows the selection
  h->frame()->resize(600, 400);
  QApplication::processEvents();
  ASSERT_TRUE(view->verticalScrollBar()->isVisible());
  QTest::keyClick(view->horizontalScrollBar(), Qt::Key_End);
  EXPECT_LE(header->sectionViewportPosition(5) + header->sectionSize(5), view->viewport()->width());
  SaveGrab(files, QStringLiteral("style_details_scrolled"));
}

// Dotted lines join the drives, away from their buttons; Fusion draws none.
TEST_F(LooksOfFrame, TreeDrawsLinesBetweenTheDrives) {
  tree::qt::CDriveView* tree = h->frame()->DriveView();
  const QImage image = tree->viewport()->grab().toImage();
  const qreal ratio = image.devicePixelRatio();
  int dots = 0;
  for (int row = 0; row + 1 < tree->model()->rowCount(); ++row) {
    const QRect a = tree->visualRect(tree->model()->index(row, 0));
    const QRect b = tree->visualRect(tree->model()->index(row + 1, 0));
    for (int x = qRound((a.left() - tree->indentation()) * ratio); x < qRound(a.left() * ratio); ++x)
      for (int y = qRound((a.center().y() + 6) * ratio); y < qRound((b.center().y() - 6) * ratio); ++y)
        dots += image.pixel(x, y) == tree->palette().color(QPalette::Dark).rgb() ? 1 : 0;
  }
  EXPECT_GE(dots, 6);
  SaveGrab(tree, QStringLiteral("tree"));
}

}  // namespace
