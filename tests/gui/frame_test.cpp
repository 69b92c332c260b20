// The main frame as a user sees it: title, menus, toolbar, status bar,
// panes, placement kept between runs (maximised too), pane switching, F10,
// the printer setup, and Qt's dialogs in German.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include "lists/ui/DirView.h"
#include "lists/ui/FileView.h"
#include "tests/support/GuiHarness.h"
#include "tests/support/Input.h"
#include "tree/ui/DriveView.h"

namespace {

using testsupport::Click;
using testsupport::Key;

QPushButton* OkButton(QWidget* dialog) {
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  return buttons != nullptr ? buttons->button(QDialogButtonBox::Ok) : nullptr;
}

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

// F10 opens the menu bar; "Druckereinrichtung" chooses the printer and,
// behind "Eigenschaften", paper and orientation, kept for printing.
TEST(MainFrame, F10OpensTheMenuAndPrinterSetupChoosesPrinterPaperAndOrientation) {
  testsupport::GuiHarness h;
  QPrinter& printer = h.app->Printer();
  printer.setOutputFileName(h.dir.filePath(QStringLiteral("setup.pdf")));
  h.frame()->activateWindow();
  QApplication::setActiveWindow(h.frame());
  Key(h.frame()->DriveView(), Qt::Key_F10);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu, h.frame()->menuBar()->actions().front()->menu());

  QString title, okText, printerChoice;
  testsupport::WhenModal<QPrintDialog>([&](QPrintDialog* dlg) {
    title = dlg->windowTitle();
    okText = OkButton(dlg)->text();
    printerChoice = dlg->findChild<QComboBox*>(QStringLiteral("printers"))->currentText();
    QTimer::singleShot(0, [] {
      QWidget* properties = QApplication::activeModalWidget();
      Click(properties->findChild<QRadioButton*>(QStringLiteral("landscape")));
      auto* sizes = properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
      Key(sizes, Qt::Key_A, QStringLiteral("A"));
      Key(sizes, Qt::Key_5, QStringLiteral("5"));
      Click(OkButton(properties));
    });
    Click(dlg->findChild<QPushButton*>(QStringLiteral("properties")));
    Click(OkButton(dlg));
  });
  Key(menu, Qt::Key_E, QStringLiteral("e"));  // "Drucker&einrichtung..."
  QApplication::processEvents();               // the chosen command runs once the menu is gone
  EXPECT_EQ(title, "Druckereinrichtung");
  EXPECT_EQ(okText, "OK");
  EXPECT_FALSE(printerChoice.isEmpty());
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

TEST(MainFrame, WindowStoredMaximisedGivesTheTreeAQuarterOfTheMaximisedWidth) {
  testsupport::GuiHarness h;
  h.Stop();
  {
    QSettings s(h.iniPath, QSettings::IniFormat);
    for (const auto& [key, value] : {std::pair{"X0", 40}, {"Y0", 30}, {"X1", 440}, {"Y1", 330}, {"SHOW", 3}})
      s.setValue(QStringLiteral("POSITION/") + key, value);
  }
  h.Start();
  QApplication::processEvents();
  ASSERT_TRUE(h.frame()->isMaximized());
  const int width = QGuiApplication::primaryScreen()->availableGeometry().width();
  EXPECT_NEAR(h.frame()->OuterSplitter()->sizes()[0], width / 4, 8);
}

// Qt's own dialogs format dates and sizes in German.
TEST(MainFrame, FileDialogShowsGermanDatesAndSizes) {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("datei.txt")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(1500, 'x'));
  file.flush();
  ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 6), QTime(10, 30)), QFileDevice::FileModificationTime));
  file.close();
  QFileDialog dialog(nullptr, QString(), dir.path());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.show();
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(view, nullptr);
  QModelIndex row;
  for (int i = 0; i < 200 && !row.isValid(); ++i) {  // the model lists the folder in the background
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (view->model()->rowCount(view->rootIndex()) > 0) row = view->model()->index(0, 0, view->rootIndex());
  }
  ASSERT_TRUE(row.isValid());
  EXPECT_EQ(row.siblingAtColumn(1).data().toString(), "1,46 KiB");
  EXPECT_EQ(row.siblingAtColumn(3).data().toString(), "06.12.26 10:30");
}

}  // namespace
