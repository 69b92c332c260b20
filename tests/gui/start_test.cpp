// Starting the program: its command line, and a directory given on it with links inside.
#include <QProcess>

#include "shell/ui/CommandLine.h"
#include "tests/support/GuiHarness.h"

namespace {

using testsupport::GuiHarness;

// The program itself, with no display in its environment: answers on
// standard output, complaints with the usage on standard error.
TEST(CommandLine, HelpVersionAndWrongOptionsNeedNoDisplay) {
  const std::tuple<QStringList, int, QString> cases[] = {{{"--help"}, 0, "[VERZEICHNIS]"},
                                                        {{"-h"}, 0, "Zeigt diese Hilfe an."},
                                                        {{"--version"}, 0, "Kolbrin 1."},
                                                        {{"--bogus"}, 2, "Unbekannte Option 'bogus'."},
                                                        {{"/tmp", "/usr"}, 2, "höchstens ein Verzeichnis"}};
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
  for (const auto& [arguments, exitCode, shown] : cases) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KOLBRIN_BINARY), arguments);
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), exitCode) << err.toStdString();
    EXPECT_TRUE((exitCode == 0 ? out : err).contains(shown)) << out.toStdString() << err.toStdString();
    EXPECT_EQ(err.contains(QStringLiteral("Aufruf:")), exitCode == 2);
  }
}

class StartDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    root = QDir(tmp.path()).absolutePath();
    QDir(root).mkpath(QStringLiteral("sub"));
    for (const auto& [name, bytes] : {std::pair{"a.txt", "abc"}, {"sub/inner.txt", "xy"}}) {
      QFile f(root + u'/' + QString::fromLatin1(name));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(bytes);
    }
    for (const auto& [target, link] : {std::pair{".", "loop"}, {"a.txt", "filelink"}, {"nowhere", "dangling"}})
      ASSERT_TRUE(QFile::link(QString::fromLatin1(target), root + u'/' + QString::fromLatin1(link)));
  }
  QTemporaryDir tmp;
  QString root;
};

// A missing path or a file is reported and the program starts without one;
// a relative path is selected, and links to folders are folders.
TEST_F(StartDirectory, MissingPathsReportedRelativeOneSelectedLinksAreFolders) {
  for (const QString& argument : {QStringLiteral("no-such-thing"), root + QStringLiteral("/a.txt")}) {
    const shell::StartRequest r = shell::ParseCommandLine({QStringLiteral("kolbrin"), argument});
    EXPECT_EQ(r.exitCode, -1);
    EXPECT_TRUE(r.directory.empty());
    EXPECT_TRUE(r.errors.startsWith(QStringLiteral("kolbrin: „") + argument + u'“')) << r.errors.toStdString();
  }
  const QString previous = QDir::currentPath();
  QDir::setCurrent(root + QStringLiteral("/sub"));
  const shell::StartRequest start = shell::ParseCommandLine({QStringLiteral("kolbrin"), QStringLiteral("..")});
  QDir::setCurrent(previous);
  ASSERT_EQ(start.directory, QFile::encodeName(root).toStdString());
  GuiHarness h(nullptr, start.directory);
  auto* tree = h.tree();
  EXPECT_EQ(tree->GetItemPath(tree->currentIndex()), start.directory);
  // The file list: files and links to files, never a folder or its link.
  EXPECT_EQ(GuiHarness::Column(h.files(), 0), (QStringList{"a.txt", "dangling", "filelink"}));
  EXPECT_EQ(GuiHarness::Column(h.files(), 1), (QStringList{"3 Byte", "7 Byte", "5 Byte"}));  // a link's own size
  // The directory information: the link is a row of zeros, not entered.
  testsupport::Click(h.Tool(ID_VIEW_DIRSCAN));
  EXPECT_EQ(GuiHarness::Column(h.dirs(), 0), (QStringList{root, root + "/loop", root + "/sub"}));
  EXPECT_EQ(GuiHarness::Column(h.dirs(), 1), (QStringList{"1", "0", "0"}));
  EXPECT_EQ(GuiHarness::Column(h.dirs(), 3), (QStringList{"4", "0", "1"}));
  // The tree opens the link as a folder, with the target's listing under
  // the link's own path.
  QTest::keyClick(tree, Qt::Key_Right);
  QTest::keyClick(tree, Qt::Key_Right);  // onto the first child, the link
  const QModelIndex link = tree->currentIndex();
  EXPECT_EQ(tree->GetItemPath(link), start.directory + "/loop");
  QTest::keyClick(tree, Qt::Key_Right);
  ASSERT_TRUE(tree->isExpanded(link));
  EXPECT_EQ(GuiHarness::Children(tree->Model(), link), (QStringList{"loop", "sub"}));
}

}  // namespace
