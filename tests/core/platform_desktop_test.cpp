// The desktop's programs: command lines of desktop entries, and the default
// program for a type found in real XDG folders.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopPrograms.h"
#include "platform/UserFolders.h"

namespace {

namespace fs = std::filesystem;
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
TEST_F(DefaultProgram, DefaultsThenAssociationsThenEntriesInTheirOrder) {
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
}

TEST_F(DefaultProgram, UserFoldersFromTheEnvironmentOrThePasswordFile) {
  setenv("XDG_CACHE_HOME", "/cache", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(platform::UserCacheFolder(), "/cache");
  setenv("XDG_CACHE_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_EQ(platform::UserCacheFolder(), "/home/u/.cache");
  setenv("HOME", "relative", 1);
  EXPECT_EQ(platform::UserHomeFolder(), ::getpwuid(::getuid())->pw_dir);
}

}  // namespace
