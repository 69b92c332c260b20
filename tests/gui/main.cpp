// The GUI tests run the real frame and views on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "shell/qt/GermanLocale.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  shell::UseGermanLocale();  // as the program starts
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Ostrana"));
  QApplication::setApplicationName(QStringLiteral("KolbrinTests"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
