// Builds the real application object, frame and views for a GUI test, with
// a profile in a temporary file, and reaches the frame's commands as the
// user does: by mouse through the menu bar and the toolbar. The one header
// a GUI test needs: it brings the input helpers and the fake file system.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <memory>
#include <string>

#include "framework/qt/CommandActions.h"
#include "lists/qt/DirView.h"
#include "lists/qt/FileView.h"
#include "shell/KolbrinDoc.h"
#include "shell/qt/KolbrinApp.h"
#include "shell/qt/MainFrame.h"
#include "shell/qt/SettingsProfile.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GateFiles.h"
#include "tests/support/Input.h"
#include "tree/qt/DriveTreeModel.h"
#include "tree/qt/DriveView.h"

namespace testsupport {

class GuiHarness {
 public:
  explicit GuiHarness(platform::FileSystem* fs = nullptr, std::string startDirectory = {}) {
    Start(fs, std::move(startDirectory));
  }
  ~GuiHarness() { Stop(); }

  void Start(platform::FileSystem* fs = nullptr, std::string startDirectory = {}) {
    app = std::make_unique<shell::CKolbrinApp>(std::make_unique<shell::SettingsProfile>(iniPath), fs);
    app->SetStartDirectory(std::move(startDirectory));
    app->InitInstance(true);
    QApplication::setActiveWindow(frame());  // for the window's shortcuts
    QApplication::processEvents();
  }
  // Closes the frame as the user would and ends the application object.
  void Stop() {
    if (!app) return;
    frame()->close();
    app->ExitInstance();
    app.reset();
  }

  shell::CMainFrame* frame() const { return app->MainFrame(); }
  tree::qt::CDriveView* tree() const { return frame()->DriveView(); }
  lists::qt::CFileView* files() const { return frame()->FileView(); }
  lists::qt::CDirView* dirs() const { return frame()->DirView(); }

  // Opens by mouse the menu bar's popup that holds the command; its items
  // have just been updated, as for the user.
  QMenu* OpenMenu(unsigned id) const {
    QMenuBar* bar = frame()->menuBar();
    for (QAction* popup : bar->actions()) {
      if (Item(popup->menu(), id) == nullptr) continue;
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup).center());
      return popup->menu();
    }
    return nullptr;
  }
  static QAction* Item(QMenu* menu, unsigned id) {
    for (QAction* a : menu->actions())
      if (a->property("commandId").toUInt() == id) return a;
    return nullptr;
  }
  // The command's menu item as the opened menu showed it (enabled, checked).
  QAction* Shown(unsigned id) const {
    QMenu* menu = OpenMenu(id);
    QMenuBar* bar = frame()->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QApplication::processEvents();
    Reactivate();
    return Item(menu, id);
  }
  // Chooses the command from its menu with the mouse; it runs once the menu
  // has gone.
  void Choose(unsigned id) const {
    QMenu* menu = OpenMenu(id);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Item(menu, id)).center());
    QApplication::processEvents();
    Reactivate();
  }
  // Offscreen there is no window manager to give the activation back to
  // the frame when a popup or a dialog closes.
  void Reactivate() const { QApplication::setActiveWindow(frame()); }
  // A key pressed in the frame, where the focus is.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
    Reactivate();
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  QWidget* Tool(unsigned id) const { return frame()->ToolBar()->widgetForAction(frame()->Actions().Action(id)); }

  // The loaded tree item of a path, or an invalid index.
  QModelIndex TreeItem(const std::string& path, const QModelIndex& parent = {}) const {
    const QAbstractItemModel* m = tree()->model();
    for (int r = 0; r < m->rowCount(parent); ++r) {
      const QModelIndex i = m->index(r, 0, parent);
      if (tree()->GetItemPath(i) == path) return i;
      if (const QModelIndex below = TreeItem(path, i); below.isValid()) return below;
    }
    return {};
  }

  static QStringList Children(const QAbstractItemModel* m, const QModelIndex& parent = {}) {
    QStringList out;
    for (int r = 0; r < m->rowCount(parent); ++r) out << m->index(r, 0, parent).data().toString();
    return out;
  }
  static QModelIndex Row(const lists::qt::CListWidgets* list, int row) {
    return list->DetailsView()->model()->index(row, 0);
  }
  static QStringList Column(const lists::CListView* list, int column) {
    QStringList out;
    for (int r = 0; r < list->RowCount(); ++r) out << QString::fromStdString(list->CellText(r, column));
    return out;
  }

  QTemporaryDir dir;
  QString iniPath{dir.filePath(QStringLiteral("kolbrin.ini"))};
  std::unique_ptr<shell::CKolbrinApp> app;
};

// A test's fake file system with the fixed drive "/", which the test fills
// before it starts the frame over it.
template <typename Files = test_support::FakeFileSystem>
class FrameTest : public ::testing::Test {
 protected:
  FrameTest() { fs.AddDrive("/", platform::kDriveFixed); }
  void Start(std::string startDirectory = {}) { h = std::make_unique<GuiHarness>(&fs, std::move(startDirectory)); }
  Files fs;
  std::unique_ptr<GuiHarness> h;
};

}  // namespace testsupport
