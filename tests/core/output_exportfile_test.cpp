// The text export's file work on real files: links, permission bits and
// owners, folders that take no new entries, files the user may not change,
// and a write that fails half way. Root passes every permission check, so
// those cases run in a child process as the ordinary user 'nobody'.
#include <gtest/gtest.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/ExportTable.h"
#include "platform/FileErrors.h"

namespace {

namespace fs = std::filesystem;
using output::WriteExportFile;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
constexpr const char* kSetupFailed = "child: ";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Runs WriteExportFile(file, text) in a child process, as 'nobody' when
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
    if (asUser && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0)) {
      answer = std::string(kSetupFailed) + "cannot run as an ordinary user";
    } else if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      answer = std::string(kSetupFailed) + "cannot limit the file size";
    } else {
      answer = WriteExportFile(file.string(), text).value_or("");
    }
    (void)!::write(channel[1], answer.data(), answer.size());
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string answer;
  char buffer[256];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return pid < 0 ? kSetupFailed : answer;
}

class ExportFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("kolbrin-exportfile-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    fs::permissions(m_dir, fs::perms(0755));
  }
  void TearDown() override {
    std::error_code ignored;  // links have no permissions of their own
    for (auto& entry : fs::recursive_directory_iterator(m_dir)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_dir);
  }
  std::vector<std::string> Entries(const fs::path& dir) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path m_dir;
};

TEST_F(ExportFile, LinksAreFollowedAndStayLinks) {
  fs::create_directory(m_dir / "sub");
  WriteAll(m_dir / "real.txt", "old");
  struct Case {
    const char* link;
    const char* target;
    fs::path written;  // relative to the folder; empty when the export fails
    std::string error;
  } const cases[] = {
      {"link.txt", "real.txt", "real.txt", ""},
      {"chain.txt", "link.txt", "real.txt", ""},
      {"dangling.txt", "sub/made.txt", "sub/made.txt", ""},
      {"nowhere.txt", "missing/made.txt", "", "Der Ordner existiert nicht"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    fs::create_symlink(c.target, m_dir / c.link);
    const std::string rows = std::string("rows through ") + c.link + "\r\n";
    EXPECT_EQ(WriteExportFile((m_dir / c.link).string(), rows).value_or(""), c.error);
    EXPECT_TRUE(fs::is_symlink(m_dir / c.link));
    EXPECT_EQ(fs::read_symlink(m_dir / c.link), c.target);
    if (!c.written.empty()) {
      EXPECT_EQ(ReadAll(m_dir / c.written), rows);
    }
  }
  EXPECT_EQ(Entries(m_dir), (std::vector<std::string>{"chain.txt", "dangling.txt", "link.txt", "nowhere.txt",
                                                      "real.txt", "sub"}));
}

TEST_F(ExportFile, ReplacedFileKeepsModeOwnerGroupAndHardLinks) {
  const fs::path file = m_dir / "out.txt";
  WriteAll(file, "old contents");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  // Root's new file would belong to root; the old one belongs to someone else.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNoGroup), 0);
  }
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);

  EXPECT_EQ(WriteExportFile(file.string(), "new\r\n"), std::nullopt);
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(ReadAll(file), "new\r\n");
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);

  // Every name of a file with several sees the new contents.
  fs::create_hard_link(file, m_dir / "other name.txt");
  EXPECT_EQ(WriteExportFile(file.string(), "newer\r\n"), std::nullopt);
  EXPECT_EQ(ReadAll(m_dir / "other name.txt"), "newer\r\n");
  EXPECT_EQ(Entries(m_dir), (std::vector<std::string>{"other name.txt", "out.txt"}));
}

TEST_F(ExportFile, AnOrdinaryUserWritesWhatTheSystemAllows) {
  struct Case {
    const char* folder;
    fs::perms folderMode;
    fs::perms fileMode;
    std::string error;
    std::string contents;
  } const cases[] = {
      // No new entry in the folder, but the file itself may be written.
      {"closed", fs::perms(0555), fs::perms(0666), "", "rows\r\n"},
      // The folder takes new entries, but the file may not be changed.
      {"open", fs::perms(0777), fs::perms(0444), "Zugriff verweigert", "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const fs::path file = m_dir / c.folder / "out.txt";
    fs::create_directory(m_dir / c.folder);
    WriteAll(file, "old");
    fs::permissions(file, c.fileMode);
    fs::permissions(m_dir / c.folder, c.folderMode);
    const std::string answer = WriteInChild(file, "rows\r\n", true);
    if (answer.rfind(kSetupFailed, 0) == 0) {
      GTEST_SKIP() << answer;
    }
    EXPECT_EQ(answer, c.error);
    EXPECT_EQ(ReadAll(file), c.contents);
    EXPECT_EQ(fs::status(file).permissions(), c.fileMode);
    EXPECT_EQ(Entries(m_dir / c.folder), std::vector<std::string>{"out.txt"});
  }
}

TEST_F(ExportFile, WriteThatFailsHalfWayLeavesTheOldFileAndNothingElse) {
  WriteAll(m_dir / "old.txt", "old contents");
  const std::string rows(100000, 'x');
  for (const char* name : {"old.txt", "new.txt"}) {
    const std::string answer = WriteInChild(m_dir / name, rows, false, 4096);
    if (answer.rfind(kSetupFailed, 0) == 0) {
      GTEST_SKIP() << answer;
    }
    EXPECT_EQ(answer, platform::SystemErrorText(EFBIG)) << name;
  }
  EXPECT_EQ(ReadAll(m_dir / "old.txt"), "old contents");
  EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"old.txt"});
}

}  // namespace
