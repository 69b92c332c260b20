// The main frame as a user sees it: title, menus, toolbar, status bar,
// panes, placement kept between runs, pane switching.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "lists/DirView.h"
#include "lists/FileView.h"
#include "tests/support/GuiHarness.h"
#include "tree/DriveView.h"

namespace {

QStringList MenuTexts(QMenu* m) {
  QStringList out;
  for (QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

// The menu builder is shared; one menu in full shows it keeps order,
// separators and shortcut texts.
TEST(MainFrame, TitleMenusAndToolbarAsTheUserSeesThem) {
  testsupport::GuiHarness h;
  auto* f = h.frame();
  EXPECT_EQ(f->windowTitle(), "Kolbrin");
  const auto menus = f->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[1]->text(), "&Ansicht");
  EXPECT_EQ(MenuTexts(menus[0]->menu()),
            (QStringList{"&Drucken...\tStrg+P", "Sei&tenansicht", "Drucker&einrichtung...", "-",
                         "Export nach Excel ...", "Export in eine Datei ...", "-", "&Beenden"}));

  const auto tools = f->ToolBar()->actions();
  const res::Id ids[] = {ID_FILE_PRINT, ID_VIEW_DIRSCAN, ID_VIEW_DRIVEINFO, 0, ID_APP_EXIT, 0, ID_APP_ABOUT};
  ASSERT_EQ(tools.size(), static_cast<qsizetype>(std::size(ids)));
  for (std::size_t i = 0; i < std::size(ids); ++i) {
    if (ids[i] == 0) EXPECT_TRUE(tools[static_cast<qsizetype>(i)]->isSeparator()) << i;
    else EXPECT_EQ(tools[static_cast<qsizetype>(i)], h.action(ids[i])) << i;
  }
  EXPECT_FALSE(tools[0]->icon().isNull());
  EXPECT_EQ(h.action(ID_VIEW_DIRSCAN)->toolTip(), "Verzeichnisinformation");
  EXPECT_EQ(h.action(ID_VIEW_DIRSCAN)->statusTip(),
            "Bestimmen der Verzeichnisinformationen (z.B. Verzeichnisgröße)");
  EXPECT_EQ(h.action(ID_FILE_PRINT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_EQ(h.action(ID_NEXT_PANE)->shortcut(), QKeySequence(Qt::Key_F6));
  EXPECT_EQ(h.action(ID_PREV_PANE)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
  for (const res::Id id : {ID_APP_ABOUT, ID_APP_EXIT, ID_FILE_PRINT_SETUP})  // the frame handles these
    EXPECT_TRUE(h.updated(id)->isEnabled()) << id;
}

TEST(MainFrame, StatusBarSaysBereitAndBarsToggleWithCheckMarks) {
  testsupport::GuiHarness h;
  auto* f = h.frame();
  EXPECT_EQ(f->MessageText(), "Bereit");
  for (const auto& [id, bar] : {std::pair<res::Id, QWidget*>{ID_VIEW_TOOLBAR, f->ToolBar()},
                                {ID_VIEW_STATUS_BAR, f->statusBar()}}) {
    for (const bool shown : {false, true}) {
      h.action(id)->trigger();
      EXPECT_EQ(bar->isHidden(), !shown) << id;
      EXPECT_EQ(h.updated(id)->isChecked(), shown) << id;
    }
  }
}

TEST(MainFrame, PanesInViewOrderWithTreeAQuarterWide) {
  testsupport::GuiHarness h;
  auto* f = h.frame();
  const auto panes = f->PaneWidgets();
  EXPECT_EQ(f->OuterSplitter()->widget(0), panes[0]);
  EXPECT_EQ(f->RightSplitter()->widget(0), panes[1]);
  EXPECT_EQ(f->RightSplitter()->widget(1), panes[2]);
  const auto sizes = f->OuterSplitter()->sizes();
  const int total = sizes[0] + sizes[1];
  EXPECT_NEAR(sizes[0], total / 4, 8);
  const auto right = f->RightSplitter()->sizes();
  EXPECT_NEAR(right[0], right[1], 2);
  EXPECT_EQ(f->GetActiveView(), static_cast<fw::CView*>(f->DriveView()));
  for (QWidget* pane : panes) EXPECT_FALSE(pane->accessibleName().isEmpty());
}

TEST(MainFrame, F6AndShiftF6MoveThroughThePanes) {
  testsupport::GuiHarness h;
  auto* f = h.frame();
  f->activateWindow();
  h.action(ID_NEXT_PANE)->trigger();
  EXPECT_EQ(f->GetActiveView(), static_cast<fw::CView*>(f->FileView()));
  h.action(ID_NEXT_PANE)->trigger();
  EXPECT_EQ(f->GetActiveView(), static_cast<fw::CView*>(f->DirView()));
  h.action(ID_NEXT_PANE)->trigger();
  EXPECT_EQ(f->GetActiveView(), static_cast<fw::CView*>(f->DriveView()));
  h.action(ID_PREV_PANE)->trigger();
  EXPECT_EQ(f->GetActiveView(), static_cast<fw::CView*>(f->DirView()));
}

TEST(MainFrame, PlacementIsWrittenOnCloseAndRestoredAtNextStart) {
  testsupport::GuiHarness h;
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const QRect first = h.frame()->geometry();
  EXPECT_EQ(first.left(), screen.width() / 10);
  EXPECT_EQ(first.top(), screen.height() / 10);
  h.frame()->setGeometry(40, 30, 500, 400);
  h.Stop();
  {
    QSettings s(h.iniPath, QSettings::IniFormat);
    EXPECT_EQ(s.value("POSITION/X0").toInt(), 40);
    EXPECT_EQ(s.value("POSITION/Y0").toInt(), 30);
    EXPECT_EQ(s.value("POSITION/X1").toInt(), 540);
    EXPECT_EQ(s.value("POSITION/Y1").toInt(), 430);
    EXPECT_EQ(s.value("POSITION/SHOW").toInt(), 1);
  }
  h.Start();
  EXPECT_EQ(h.frame()->geometry(), QRect(40, 30, 500, 400));
}

}  // namespace
