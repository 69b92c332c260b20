// The command line: kolbrin [VERZEICHNIS], --help and --version. It is
// decided before the window's application object exists, so help and
// version need no display.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace shell {

struct StartRequest {
  int exitCode = -1;      // -1: start the window; otherwise end at once with it
  QString output;         // for standard output
  QString errors;         // for standard error
  std::string directory;  // absolute path to select at start, exact bytes; empty for none
};

// Reads the arguments, the program's name first. A relative directory is
// taken from the current directory; one that does not exist or is no
// directory gives a message and the normal start. One on a drive that does
// not answer at once is taken as it is: the window opens it. Unknown options give the
// usage and exit code 2. Needs an application object for the German texts
// of Qt's own part of the help.
StartRequest ParseCommandLine(const QStringList& arguments);

}  // namespace shell
