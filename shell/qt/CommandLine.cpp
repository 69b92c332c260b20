#include "shell/qt/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <memory>

#include "framework/WorkerCall.h"
#include "framework/qt/Text.h"
#include "res/resource.h"

namespace shell {

namespace {

using fw::qt::ResString;

// The toolkit's own options (display, style, session restore) reach the
// window's application object untouched; here they are only let through.
void AllowToolkitOptions(QCommandLineParser& parser) {
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                           "geometry", "title", "name", "style", "stylesheet"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("x"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

enum class PathKind { kUnknown, kMissing, kDirectory, kOther };

// What path is, as far as it can be told without waiting on a drive that
// does not answer: a drive that keeps silent for this long is left to the
// window, where Esc gives up on it.
PathKind KindOf(const QString& path) {
  constexpr std::chrono::milliseconds kPatience{250};
  auto kind = std::make_shared<std::atomic<PathKind>>(PathKind::kUnknown);
  fw::CWorkerCall call([kind, path] {
    const QFileInfo info(path);
    *kind = !info.exists() ? PathKind::kMissing : info.isDir() ? PathKind::kDirectory : PathKind::kOther;
  });
  call.WaitFor(kPatience);
  return kind->load();
}

// The directory's absolute path, or a message why there is none.
void ResolveDirectory(const QString& argument, StartRequest& request) {
  const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(argument));
  const PathKind kind = argument.isEmpty() ? PathKind::kMissing : KindOf(path);
  if (kind == PathKind::kMissing) {
    request.errors = ResString(IDS_CMDLINE_MISSING).arg(argument) + u'\n';
  } else if (kind == PathKind::kOther) {
    request.errors = ResString(IDS_CMDLINE_NOT_A_DIRECTORY).arg(argument) + u'\n';
  } else {
    request.directory = QFile::encodeName(path).toStdString();
  }
}

}  // namespace

StartRequest ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // "-style fusion" as the toolkit spells its options.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(ResString(IDS_CMDLINE_DESCRIPTION));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                ResString(IDS_CMDLINE_HELP));
  parser.addOption(help);
  const QCommandLineOption version = parser.addVersionOption();
  const QString directory = ResString(IDS_CMDLINE_DIRECTORY);
  parser.addPositionalArgument(directory, ResString(IDS_CMDLINE_DIRECTORY_HELP),
                               u'[' + directory + u']');
  AllowToolkitOptions(parser);

  StartRequest request;
  const bool parsed = parser.parse(arguments);
  if (!parsed || parser.positionalArguments().size() > 1) {
    request.exitCode = 2;
    request.errors = (parsed ? ResString(IDS_CMDLINE_TOO_MANY) : parser.errorText()) + u'\n' + parser.helpText();
  } else if (parser.isSet(help)) {
    request.exitCode = 0;
    request.output = parser.helpText();
  } else if (parser.isSet(version)) {
    request.exitCode = 0;
    request.output = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
  } else if (!parser.positionalArguments().isEmpty()) {
    ResolveDirectory(parser.positionalArguments().front(), request);
  }
  return request;
}

}  // namespace shell
