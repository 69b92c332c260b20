// Builds the real application object, frame and views for a GUI test, with
// a profile in a temporary file.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "framework/ui/CommandActions.h"
#include "shell/ui/KolbrinApp.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/SettingsProfile.h"

namespace testsupport {

class GuiHarness {
 public:
  // startDirectory: as the command line gives it.
  explicit GuiHarness(platform::FileSystem* fs = nullptr, bool show = true, std::string startDirectory = {}) {
    iniPath = dir.filePath(QStringLiteral("kolbrin.ini"));
    Start(fs, show, std::move(startDirectory));
  }

  void Start(platform::FileSystem* fs = nullptr, bool show = true, std::string startDirectory = {}) {
    app = std::make_unique<shell::CKolbrinApp>(std::make_unique<shell::SettingsProfile>(iniPath), fs);
    app->SetStartDirectory(std::move(startDirectory));
    app->InitInstance(show);
    QApplication::processEvents();
  }

  // Closes the frame as the user would and ends the application object.
  void Stop() {
    if (!app) return;
    frame()->close();
    app->ExitInstance();
    app.reset();
  }

  ~GuiHarness() { Stop(); }

  shell::CMainFrame* frame() const { return app->MainFrame(); }
  QAction* action(unsigned id) const { return frame()->Actions().Action(id); }
  // Update-UI as when the menu holding the command opens.
  QAction* updated(unsigned id) const {
    frame()->Actions().UpdateAll();
    return action(id);
  }

  QTemporaryDir dir;
  QString iniPath;
  std::unique_ptr<shell::CKolbrinApp> app;
};

}  // namespace testsupport
