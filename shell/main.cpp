#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "framework/StringTable.h"
#include "shell/KolbrinApp.h"

namespace {
bool HasDisplay() {
#if defined(__linux__)
  const char* platformName = std::getenv("QT_QPA_PLATFORM");
  if (platformName != nullptr && *platformName != '\0') return true;
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x != nullptr && *x != '\0') || (w != nullptr && *w != '\0');
#else
  return true;
#endif
}
}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    const auto text = fw::LoadResString(IDS_NO_DISPLAY);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return 2;
  }
  QApplication qapp(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Ostrana"));
  QApplication::setApplicationName(QStringLiteral("Kolbrin"));
  shell::CKolbrinApp app;
  if (!app.InitInstance()) return 1;
  const int rc = QApplication::exec();
  app.ExitInstance();
  return rc;
}
