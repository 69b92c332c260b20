// The main frame: its bars, F6 through the panes, its placement, F10 and the printer setup.
#include <QComboBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>

#include "tests/support/GuiHarness.h"

namespace {

using testsupport::Click;

// Each toolbar button its own part of the strip; the bars switched from the
// menu with their check marks; F6 and Shift+F6 through the panes in view order.
TEST(MainFrame, ToolbarBarsAndPanes) {
  testsupport::GuiHarness h;
  auto* f = h.frame();
  EXPECT_EQ(f->MessageText(), "Bereit");
  EXPECT_EQ(f->Actions().Action(ID_VIEW_DIRSCAN)->toolTip(), "Verzeichnisinformation");
  QList<QImage> images;
  for (const res::Id id : {ID_FILE_PRINT, ID_VIEW_DIRSCAN, ID_VIEW_DRIVEINFO, ID_APP_EXIT, ID_APP_ABOUT}) {
    const QImage image = f->Actions().Action(id)->icon().pixmap(16, 15).toImage();
    EXPECT_FALSE(image.isNull() || images.contains(image)) << id;
    images << image;
  }
  for (const auto& [id, bar] : {std::pair<res::Id, QWidget*>{ID_VIEW_TOOLBAR, f->ToolBar()},
                                {ID_VIEW_STATUS_BAR, f->statusBar()}}) {
    for (const bool shown : {false, true}) {
      h.Choose(id);
      EXPECT_EQ(bar->isHidden(), !shown) << id;
      EXPECT_EQ(h.Shown(id)->isChecked(), shown) << id;
    }
  }
  const std::pair<Qt::KeyboardModifiers, QWidget*> steps[] = {
      {{}, h.files()}, {{}, h.dirs()}, {{}, h.tree()}, {Qt::ShiftModifier, h.dirs()}};
  for (const auto& [modifiers, pane] : steps) {
    h.Press(Qt::Key_F6, modifiers);
    EXPECT_EQ(f->GetActiveView(), f->ViewOfWidget(pane));
    EXPECT_TRUE(pane->isAncestorOf(QApplication::focusWidget()) || pane->hasFocus());
    EXPECT_FALSE(pane->accessibleName().isEmpty());
  }
}

// The tree gets a quarter of the width the window has when it comes up.
TEST(MainFrame, PlacementIsKeptBetweenRunsMaximisedToo) {
  testsupport::GuiHarness h;
  h.frame()->setGeometry(40, 30, 500, 400);
  h.Stop();
  QSettings s(h.iniPath, QSettings::IniFormat);
  for (const auto& [key, value] : {std::pair{"X0", 40}, {"Y0", 30}, {"X1", 540}, {"Y1", 430}, {"SHOW", 1}})
    EXPECT_EQ(s.value(QStringLiteral("POSITION/") + key).toInt(), value) << key;
  h.Start();
  EXPECT_EQ(h.frame()->geometry(), QRect(40, 30, 500, 400));
  EXPECT_NEAR(h.frame()->OuterSplitter()->sizes()[0], 500 / 4, 8);
  h.frame()->showMaximized();
  h.Stop();
  s.sync();
  EXPECT_EQ(s.value(QStringLiteral("POSITION/SHOW")).toInt(), 3);
  EXPECT_EQ(s.value(QStringLiteral("POSITION/X1")).toInt(), 540);  // the normal place is kept
  h.Start();
  ASSERT_TRUE(h.frame()->isMaximized());
  const int width = QGuiApplication::primaryScreen()->availableGeometry().width();
  EXPECT_NEAR(h.frame()->OuterSplitter()->sizes()[0], width / 4, 8);
}

// F10 opens the menu bar; "Druckereinrichtung" chooses the printer and,
// behind "Eigenschaften", paper and orientation, kept for printing.
TEST(MainFrame, F10OpensTheMenuAndPrinterSetupChoosesPrinterPaperAndOrientation) {
  testsupport::GuiHarness h;
  QPrinter& printer = h.app->Printer();
  printer.setOutputFileName(h.dir.filePath(QStringLiteral("setup.pdf")));
  QTest::keyClick(h.tree(), Qt::Key_F10);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu, h.frame()->menuBar()->actions().front()->menu());
  QString title, okText, printerChoice;
  testsupport::WhenModal<QPrintDialog>([&](QPrintDialog* dlg) {
    title = dlg->windowTitle();
    okText = testsupport::OkButton(dlg)->text();
    printerChoice = dlg->findChild<QComboBox*>(QStringLiteral("printers"))->currentText();
    QTimer::singleShot(0, [] {
      QWidget* properties = QApplication::activeModalWidget();
      Click(properties->findChild<QRadioButton*>(QStringLiteral("landscape")));
      auto* sizes = properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
      QTest::keyClicks(sizes, QStringLiteral("A5"));
      Click(testsupport::OkButton(properties));
    });
    Click(dlg->findChild<QPushButton*>(QStringLiteral("properties")));
    Click(testsupport::OkButton(dlg));
  });
  QTest::keyClick(menu, Qt::Key_E);  // "Drucker&einrichtung..."
  QApplication::processEvents();     // the chosen command runs once the menu is gone
  EXPECT_EQ(title, "Druckereinrichtung");
  EXPECT_EQ(okText, "OK");
  EXPECT_FALSE(printerChoice.isEmpty());
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

}  // namespace
