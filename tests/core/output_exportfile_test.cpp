// The export's file work on real files: links, modes and owners, failing
// writes; permission cases run in a child as 'nobody' (root passes them all).
// The desktop's programs that show a workbook: command lines of desktop
// entries, and the default program for a type found in real XDG folders.
#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "output/ExcelExport.h"
#include "output/ExportTable.h"
#include "platform/FileSystem.h"
#include "output/XlsxSpreadsheet.h"
#include "output/XlsxWriter.h"
#include "platform/DesktopPrograms.h"
#include "platform/FileErrors.h"
#include "platform/UserFolders.h"

namespace {

// The export's file work for a job of the system's file system.
std::optional<std::string> Export(const std::string& file, std::string_view text) {
  platform::Job job(platform::FileSystem::Native());
  return output::WriteExportFile(job, file, text);
}

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
constexpr const char* kSetupFailed = "child: ";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Names Entries(const fs::path& dir) {
  Names names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs Export(file, text) in a child process, as 'nobody' when
// asUser and this process is root, with files limited to sizeLimit bytes.
// The child's answer: "" on success, else the description of the error.
std::string WriteInChild(const fs::path& file, const std::string& text, bool asUser,
                         rlim_t sizeLimit = RLIM_INFINITY) {
  int channel[2];
  if (::pipe(channel) != 0) return kSetupFailed;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(channel[0]);
    std::string answer;
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = sizeLimit;
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
    const bool root = asUser && ::geteuid() == 0;
    if (root && (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0))
      answer = std::string(kSetupFailed) + "cannot run as an ordinary user";
    else if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
      answer = std::string(kSetupFailed) + "cannot limit the file size";
    else
      answer = Export(file.string(), text).value_or("");
    (void)!::write(channel[1], answer.data(), answer.size());
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string answer;
  char buffer[256];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    answer.append(buffer, static_cast<std::size_t>(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return pid < 0 ? kSetupFailed : answer;
}

class ExportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    fs::permissions(m_dir, fs::perms(0755));
  }
  void TearDown() override {
    std::error_code ignored;  // links have no permissions of their own
    for (auto& entry : fs::recursive_directory_iterator(m_dir))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_dir);
  }
  const fs::path m_dir = fs::temp_directory_path() / ("kolbrin-exportfile-" + std::to_string(::getpid()));
};

TEST_F(ExportFile, LinksAreFollowedAndStayLinks) {
  fs::create_directory(m_dir / "sub");
  std::ofstream(m_dir / "real.txt") << "old";
  const struct {
    const char *link, *target;
    fs::path written;  // relative to the folder; empty when the export fails
    std::string error;
  } cases[] = {{"link.txt", "real.txt", "real.txt", ""},
               {"chain.txt", "link.txt", "real.txt", ""},
               {"dangling.txt", "sub/made.txt", "sub/made.txt", ""},
               {"nowhere.txt", "missing/made.txt", "", "Der Ordner existiert nicht"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    fs::create_symlink(c.target, m_dir / c.link);
    const std::string rows = std::string("rows through ") + c.link + "\r\n";
    EXPECT_EQ(Export((m_dir / c.link).string(), rows).value_or(""), c.error);
    EXPECT_EQ(fs::read_symlink(m_dir / c.link), c.target);
    EXPECT_EQ(c.written.empty() ? rows : ReadAll(m_dir / c.written), rows);
  }
  EXPECT_EQ(Entries(m_dir), (Names{"chain.txt", "dangling.txt", "link.txt", "nowhere.txt", "real.txt", "sub"}));
}

TEST_F(ExportFile, ReplacedFileKeepsModeOwnerGroupAndHardLinks) {
  const fs::path file = m_dir / "out.txt";
  std::ofstream(file) << "old contents";
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  // Root's new file would belong to root; the old one belongs to someone else.
  ASSERT_EQ(::geteuid() == 0 ? ::chown(file.c_str(), kNobody, kNoGroup) : 0, 0);
  struct stat before {}, after {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  EXPECT_EQ(Export(file.string(), "new\r\n"), std::nullopt);
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(ReadAll(file), "new\r\n");
  EXPECT_EQ(std::tuple(after.st_mode & 07777, after.st_uid, after.st_gid),
            std::tuple(0640u, before.st_uid, before.st_gid));
  // Every name of a file with several sees the new contents; a FIFO
  // without a reader is refused at once instead of blocking.
  fs::create_hard_link(file, m_dir / "other name.txt");
  EXPECT_EQ(Export(file.string(), "newer\r\n"), std::nullopt);
  EXPECT_EQ(ReadAll(m_dir / "other name.txt"), "newer\r\n");
  ASSERT_EQ(::mkfifo((m_dir / "fifo").c_str(), 0666), 0);
  EXPECT_EQ(Export((m_dir / "fifo").string(), "x"), platform::SystemErrorText(ENXIO));
  EXPECT_EQ(Entries(m_dir), (Names{"fifo", "other name.txt", "out.txt"}));
}

TEST_F(ExportFile, AnOrdinaryUserWritesWhatTheSystemAllows) {
  const struct {
    const char* folder;
    fs::perms folderMode, fileMode;
    std::string error, contents;
  } cases[] = {
      // No new entry in the folder, but the file itself may be written.
      {"closed", fs::perms(0555), fs::perms(0666), "", "rows\r\n"},
      // The folder takes new entries, but the file may not be changed.
      {"open", fs::perms(0777), fs::perms(0444), "Zugriff verweigert", "old"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const fs::path file = m_dir / c.folder / "out.txt";
    fs::create_directory(m_dir / c.folder);
    std::ofstream(file) << "old";
    fs::permissions(file, c.fileMode);
    fs::permissions(m_dir / c.folder, c.folderMode);
    const std::string answer = WriteInChild(file, "rows\r\n", true);
    if (answer.starts_with(kSetupFailed)) GTEST_SKIP() << answer;
    EXPECT_EQ(answer, c.error);
    EXPECT_EQ(ReadAll(file), c.contents);
    EXPECT_EQ(fs::status(file).permissions(), c.fileMode);
    EXPECT_EQ(Entries(m_dir / c.folder), Names{"out.txt"});
  }
}

TEST_F(ExportFile, WriteThatFailsHalfWayLeavesTheOldFileAndNothingElse) {
  std::ofstream(m_dir / "old.txt") << "old contents";
  for (const char* name : {"old.txt", "new.txt"}) {
    const std::string answer = WriteInChild(m_dir / name, std::string(100000, 'x'), false, 4096);
    if (answer.starts_with(kSetupFailed)) GTEST_SKIP() << answer;
    EXPECT_EQ(answer, platform::SystemErrorText(EFBIG)) << name;
  }
  EXPECT_EQ(ReadAll(m_dir / "old.txt"), "old contents");
  EXPECT_EQ(Entries(m_dir), Names{"old.txt"});
}

// The workbook is written only once it is shown, into the cache folder,
// and handed to the desktop's program; cells beyond a sheet and a file
// that cannot be made are refused in German; no program, no workbook.
TEST_F(ExportFile, TheWorkbookIsWrittenWhenShownAndRefusalsAreInGerman) {
  using namespace output;
  if (!XlsxSpreadsheet::Available()) GTEST_SKIP() << "built without the xlsx writer";
  struct : WorkbookViewer {
    std::vector<fs::path> shown;
    bool found = true, starts = true;
    bool Find() override { return found; }
    bool Show(const fs::path& path) override { return shown.push_back(path), starts; }
  } viewer;
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const std::optional<std::string> oldCache = cache ? std::optional<std::string>(cache) : std::nullopt;
  ::setenv("XDG_CACHE_HOME", m_dir.c_str(), 1);
  XlsxSpreadsheet program(viewer, platform::FileSystem::Native(), fw::RunAtOnce());
  auto book = program.NewWorkbook();
  ASSERT_NE(book, nullptr);
  book->SetCell(1048576, 16384, "letzte Zelle");
  for (const auto& [row, column] : {std::pair{0u, 1u}, {1u, 16385u}, {1048577u, 1u}}) {
    try {
      book->SetCell(row, column, "x");
      ADD_FAILURE() << row << " " << column;
    } catch (const WorkbookError& error) {
      EXPECT_STREQ(error.what(), "Die Liste ist gr\xc3\xb6\xc3\x9f" "er als ein Tabellenblatt");
    }
  }
  EXPECT_TRUE(viewer.shown.empty());
  EXPECT_TRUE(book->Show());
  ASSERT_EQ(viewer.shown.size(), 1u);
  EXPECT_EQ(viewer.shown[0].parent_path(), m_dir / "kolbrin");
  EXPECT_GT(fs::file_size(viewer.shown[0]), 0u);
  viewer.starts = false;  // the program cannot start: nothing stays behind
  try {
    program.NewWorkbook()->Show();
    ADD_FAILURE() << "shown";
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.kind(), WorkbookError::Kind::kUnavailable);
  }
  EXPECT_FALSE(fs::exists(viewer.shown.back()));
  viewer.found = false;
  EXPECT_EQ(program.NewWorkbook(), nullptr);
  oldCache ? ::setenv("XDG_CACHE_HOME", oldCache->c_str(), 1) : ::unsetenv("XDG_CACHE_HOME");
  EXPECT_THROW(
      {
        try {
          WriteXlsxWorkbook({}, m_dir / "missing" / "x.xlsx");
        } catch (const WorkbookError& error) {
          EXPECT_STREQ(error.what(), "Die Arbeitsmappe kann nicht angelegt werden");
          throw;
        }
      },
      WorkbookError);
}

using Args = std::vector<std::string>;

TEST(DesktopCommandLine, QuotesEscapesAndFieldCodes) {
  const struct { const char* command; Args beforeFile, expected; } cases[] = {
      {"sheets %f", {}, {"sheets", "/tmp/a b.xlsx"}},
      {"\"/opt/my sheets/run\" --view %U", {"-n"}, {"/opt/my sheets/run", "--view", "-n", "file:///tmp/a%20b.xlsx"}},
      // Value escapes first, then the quoting; no file code: the file goes last.
      {R"(sheets "say \\"hi\\" \\\\ \\$" 100%% %i %d %c)", {},
       {"sheets", "say \"hi\" \\ $", "100%", "--icon", "tab", "Tabellen", "/tmp/a b.xlsx"}},
      {"sheets\\s--open=%f %F", {}, {"sheets", "--open=/tmp/a b.xlsx"}},
      {"flatpak run --file-forwarding org.Sheets @@u %U @@", {"-n"},
       {"flatpak", "run", "--file-forwarding", "org.Sheets", "-n", "@@u", "file:///tmp/a%20b.xlsx", "@@"}},
      {"sheets \"unclosed", {}, {}}};
  for (const auto& c : cases) {
    const platform::DesktopProgram program{"sheets.desktop", "/apps/sheets.desktop", c.command, "Tabellen", "tab"};
    EXPECT_EQ(platform::CommandLineFor(program, c.beforeFile, "/tmp/a b.xlsx"), c.expected) << c.command;
  }
}

class DefaultProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string root = (fs::temp_directory_path() / "kolbrin-desktop-XXXXXX").string();
    ASSERT_NE(::mkdtemp(root.data()), nullptr);
    m_root = root;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                             "XDG_CURRENT_DESKTOP", "XDG_CACHE_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      m_saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
      fs::create_directories(m_root / name / "applications");
      setenv(name, (m_root / name).c_str(), 1);
    }
    setenv("XDG_CURRENT_DESKTOP", "Other:KDE", 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : m_saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    fs::remove_all(m_root);
  }
  void Write(const fs::path& relative, const std::string& text) {
    fs::create_directories((m_root / relative).parent_path());
    std::ofstream(m_root / relative) << text;
  }
  void Entry(const char* folder, const std::string& id, const std::string& keys) {
    Write(fs::path(folder) / "applications" / id, "[Desktop Entry]\nType=Application\nExec=/bin/true %f\n" + keys);
  }
  fs::path m_root;
  std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

// Defaults, then associations, then the entries in their folders' order;
// the desktop's own list before the general one.
TEST_F(DefaultProgram, DefaultsThenAssociationsThenEntriesInTheirOrderInTheUsersFolders) {
  Entry("XDG_DATA_HOME", "b.desktop", "Name=user's\nMimeType=x/y;\n");
  Entry("XDG_DATA_DIRS", "b.desktop", "Name=system's\nMimeType=x/y;\n");
  Entry("XDG_DATA_DIRS", "a.desktop", "MimeType=x/y;\n");
  Entry("XDG_DATA_DIRS", "hidden.desktop", "Hidden=true\nMimeType=x/y;\n");
  Entry("XDG_DATA_DIRS", "gone.desktop", "TryExec=/nonexistent/sheets\nMimeType=x/y;\n");
  Write("XDG_DATA_DIRS/applications/noexec.desktop",
        "[Desktop Entry]\nType=Application\nExec=/nonexistent/sheets %f\n");
  Entry("XDG_DATA_HOME", "kde/c.desktop", "");
  const struct { std::string userList, systemList, kdeList; const char* expected; } cases[] = {
      {"", "", "", "b.desktop"},  // the user's folder first
      {"[Default Applications]\nx/y=gone.desktop;hidden.desktop;noexec.desktop;a.desktop\n", "", "", "a.desktop"},
      {"[Default Applications]\nx/z=a.desktop\n", "[Default Applications]\nx/y=kde-c.desktop\n", "", "kde-c.desktop"},
      {"[Default Applications]\nx/y=b.desktop\n", "", "[Default Applications]\nx/y=a.desktop\n", "a.desktop"},
      {"[Added Associations]\nx/y=kde-c.desktop;\n", "", "", "kde-c.desktop"},
      {"[Removed Associations]\nx/y=b.desktop\n", "", "", "a.desktop"},
      {"[Removed Associations]\nx/y=b.desktop;a.desktop;\n", "", "", nullptr}};
  for (const auto& c : cases) {
    Write("XDG_CONFIG_HOME/mimeapps.list", c.userList);
    Write("XDG_CONFIG_HOME/kde-mimeapps.list", c.kdeList);
    Write("XDG_DATA_DIRS/applications/mimeapps.list", c.systemList);
    const std::optional<platform::DesktopProgram> found = platform::FindDefaultProgram("x/y");
    EXPECT_EQ(found ? found->id : "none", c.expected ? c.expected : "none") << c.userList;
    EXPECT_EQ(found && found->id == "b.desktop" ? found->name : "user's", "user's");
  }
  // The user's folders from the environment, or else the password file.
  setenv("XDG_CACHE_HOME", "/cache", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(platform::UserCacheFolder(), "/cache");
  setenv("XDG_CACHE_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_EQ(platform::UserCacheFolder(), "/home/u/.cache");
  setenv("HOME", "relative", 1);
  EXPECT_EQ(platform::UserHomeFolder(), ::getpwuid(::getuid())->pw_dir);
}

}  // namespace
