// German for Qt's own parts of the interface: its formats of dates, numbers
// and sizes, and its translated texts.
#pragma once

#include <memory>

class QTranslator;

namespace shell {

// Makes German the default locale and Qt's idea of the system's locale,
// which Qt's file dialog formats its dates and sizes with. Call it before
// the first application object exists: Qt reads the system's locale once.
// The C library's locale and the environment that child processes inherit
// stay as they were.
void UseGermanLocale();

// Installs Qt's German translation of its own texts (dialog buttons, the
// print and file dialogs, the command-line help) into the current
// application object; null when it is not installed on this system.
std::unique_ptr<QTranslator> InstallQtGermanTranslator();

}  // namespace shell
