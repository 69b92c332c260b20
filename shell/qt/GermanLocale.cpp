#include "shell/qt/GermanLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shell {

void UseGermanLocale() {
  // Qt takes the system's locale from the environment when it is first
  // asked; the variable is set only for that moment.
  const bool hadAll = qEnvironmentVariableIsSet("LC_ALL");
  const QByteArray all = qgetenv("LC_ALL");
  qputenv("LC_ALL", "de_DE.UTF-8");
  (void)QLocale::system();
  if (hadAll) {
    qputenv("LC_ALL", all);
  } else {
    qunsetenv("LC_ALL");
  }
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

std::unique_ptr<QTranslator> InstallQtGermanTranslator() {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return nullptr;
  }
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

}  // namespace shell
