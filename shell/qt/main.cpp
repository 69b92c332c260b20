#include <QApplication>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "framework/StringTable.h"
#include "framework/WorkerCall.h"
#include "platform/Display.h"
#include "shell/qt/CommandLine.h"
#include "shell/qt/GermanLocale.h"
#include "shell/qt/KolbrinApp.h"

namespace {
void Print(std::FILE* stream, const QString& text) {
  if (!text.isEmpty()) std::fputs(text.toLocal8Bit().constData(), stream);
}

// Help, version and wrong options are answered before the window's
// application object exists, so they need no display.
shell::StartRequest DecideCommandLine(int& argc, char** argv) {
  QCoreApplication decide(argc, argv);
  const auto translator = shell::InstallQtGermanTranslator();
  return shell::ParseCommandLine(QCoreApplication::arguments());
}
}  // namespace

int main(int argc, char** argv) {
  shell::UseGermanLocale();
  QCoreApplication::setOrganizationName(QStringLiteral("Ostrana"));
  QCoreApplication::setApplicationName(QStringLiteral("Kolbrin"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KOLBRIN_VERSION));
  const shell::StartRequest start = DecideCommandLine(argc, argv);
  Print(stdout, start.output);
  Print(stderr, start.errors);
  if (start.exitCode >= 0) return start.exitCode;

  if (!platform::HasDisplay()) {
    const auto text = fw::LoadResString(IDS_NO_DISPLAY);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return 2;
  }
  int rc = 0;
  {
    QApplication qapp(argc, argv);
    // Ties the window to its desktop entry (its icon in a Wayland session).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.kolbrin"));
    shell::CKolbrinApp app;
    app.SetStartDirectory(start.directory);
    if (!app.InitInstance()) return 1;
    rc = QApplication::exec();
    app.ExitInstance();
  }  // the settings are written as the application object goes
  // A call the user gave up on may still hang in a drive that does not
  // answer; the process ends without waiting for it or tearing down what
  // that thread may still use.
  if (fw::CWorkerCall::Running() > 0) {
    std::fflush(nullptr);
    std::_Exit(rc);
  }
  return rc;
}
