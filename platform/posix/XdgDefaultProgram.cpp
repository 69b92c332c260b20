// The desktop's default program for a file type, found the way the
// freedesktop.org desktops find it: mimeapps.list files in the user's and the
// system's configuration and data folders name defaults and associations,
// and the desktop entries in the data folders say which types they open.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/DesktopPrograms.h"
#include "platform/UserFolders.h"
#include "platform/posix/DesktopEntry.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

using posix::DesktopEntry;

// An absolute folder from the environment, or the fallback below home.
fs::path BaseFolder(const char* variable, const char* belowHome) {
  if (const char* value = std::getenv(variable); value != nullptr && *value == '/') return value;
  const fs::path home = UserHomeFolder();
  return home.empty() ? fs::path() : home / belowHome;
}

// The non-empty items of a list separated by sep.
std::vector<std::string> Split(std::string_view list, char sep) {
  std::vector<std::string> items;
  for (;;) {
    const std::size_t end = list.find(sep);
    if (end != 0 && !list.empty()) items.emplace_back(list.substr(0, end));
    if (end == std::string_view::npos) return items;
    list.remove_prefix(end + 1);
  }
}

// The absolute folders of a colon-separated list, or the fallback list.
std::vector<fs::path> FolderList(const char* variable, std::string_view fallback) {
  const char* value = std::getenv(variable);
  std::vector<fs::path> folders;
  for (const std::string& item : Split(value != nullptr && *value != '\0' ? value : fallback, ':')) {
    if (item.front() == '/') folders.emplace_back(item);
  }
  return folders;
}

// The desktops of this session, by their lower-case names.
std::vector<std::string> CurrentDesktops() {
  const char* value = std::getenv("XDG_CURRENT_DESKTOP");
  std::vector<std::string> desktops = Split(value != nullptr ? value : "", ':');
  for (std::string& name : desktops) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  }
  return desktops;
}

// The "applications" folders, the user's first.
std::vector<fs::path> ApplicationFolders() {
  std::vector<fs::path> folders;
  if (const fs::path home = BaseFolder("XDG_DATA_HOME", ".local/share"); !home.empty()) {
    folders.push_back(home / "applications");
  }
  for (const fs::path& dir : FolderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share")) {
    folders.push_back(dir / "applications");
  }
  return folders;
}

// Every mimeapps.list in the order of precedence: desktop-specific before
// general, configuration folders before the applications folders.
std::vector<fs::path> MimeAppsLists() {
  std::vector<fs::path> folders;
  if (const fs::path home = BaseFolder("XDG_CONFIG_HOME", ".config"); !home.empty()) folders.push_back(home);
  for (const fs::path& dir : FolderList("XDG_CONFIG_DIRS", "/etc/xdg")) folders.push_back(dir);
  for (const fs::path& dir : ApplicationFolders()) folders.push_back(dir);
  const std::vector<std::string> desktops = CurrentDesktops();
  std::vector<fs::path> lists;
  for (const fs::path& folder : folders) {
    for (const std::string& desktop : desktops) lists.push_back(folder / (desktop + "-mimeapps.list"));
    lists.push_back(folder / "mimeapps.list");
  }
  return lists;
}

// What one mimeapps.list says about one type.
struct Associations {
  std::vector<std::string> defaults, added, removed;
};

Associations ReadAssociations(const fs::path& file, std::string_view mimeType) {
  Associations result;
  std::ifstream in(file);
  std::vector<std::string>* group = nullptr;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      group = line == "[Default Applications]"    ? &result.defaults
              : line == "[Added Associations]"   ? &result.added
              : line == "[Removed Associations]" ? &result.removed
                                                 : nullptr;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (group == nullptr || equals == std::string::npos || line.compare(0, equals, mimeType) != 0) continue;
    for (std::string& id : Split(std::string_view(line).substr(equals + 1), ';')) {
      group->push_back(std::move(id));
    }
  }
  return result;
}

// The installed programs by desktop file ID ("kde/app.desktop" is
// "kde-app.desktop"), the first folder's where several have one.
class Installed {
 public:
  Installed() {
    for (const fs::path& folder : ApplicationFolders()) {
      // Sorted, so that the same folders always give the same choice.
      std::map<std::string, fs::path> found;
      std::error_code ec;
      fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
      for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->path().extension() != ".desktop") continue;
        std::string id = it->path().lexically_relative(folder).string();
        std::replace(id.begin(), id.end(), '/', '-');
        found.emplace(std::move(id), it->path());
      }
      for (auto& [id, path] : found) {
        DesktopEntry entry;
        if (m_entries.count(id) != 0 || !posix::ReadDesktopEntry(path, entry)) continue;
        m_order.push_back(id);
        m_entries.emplace(id, Program{path, std::move(entry)});
      }
    }
  }

  // The program of id when it is installed and can be started.
  std::optional<DesktopProgram> Find(const std::string& id) const {
    const auto found = m_entries.find(id);
    if (found == m_entries.end()) return std::nullopt;
    const DesktopEntry& entry = found->second.entry;
    if (entry.type != "Application" || entry.hidden || entry.exec.empty()) return std::nullopt;
    if (!entry.tryExec.empty() && !posix::IsExecutable(entry.tryExec)) return std::nullopt;
    DesktopProgram program{id, found->second.path.string(), entry.exec, entry.name, entry.icon};
    const std::vector<std::string> argv = CommandLineFor(program, {}, "");
    if (argv.empty() || !posix::IsExecutable(argv.front())) return std::nullopt;
    return program;
  }

  // The ids whose entries name mimeType, in the order of precedence.
  std::vector<std::string> Supporting(std::string_view mimeType) const {
    std::vector<std::string> ids;
    for (const std::string& id : m_order) {
      const std::vector<std::string>& types = m_entries.at(id).entry.mimeTypes;
      if (std::find(types.begin(), types.end(), mimeType) != types.end()) ids.push_back(id);
    }
    return ids;
  }

 private:
  struct Program {
    fs::path path;
    DesktopEntry entry;
  };
  std::map<std::string, Program> m_entries;
  std::vector<std::string> m_order;
};

}  // namespace

std::optional<DesktopProgram> FindDefaultProgram(std::string_view mimeType) {
  const Installed installed;
  std::set<std::string> removed;
  std::vector<std::string> associated;
  for (const fs::path& list : MimeAppsLists()) {
    const Associations found = ReadAssociations(list, mimeType);
    for (const std::string& id : found.defaults) {
      if (auto program = installed.Find(id)) return program;
    }
    // A list removes what lists of lower precedence and the entries add.
    removed.insert(found.removed.begin(), found.removed.end());
    for (const std::string& id : found.added) {
      if (removed.count(id) == 0) associated.push_back(id);
    }
  }
  for (const std::string& id : installed.Supporting(mimeType)) {
    if (removed.count(id) == 0) associated.push_back(id);
  }
  for (const std::string& id : associated) {
    if (auto program = installed.Find(id)) return program;
  }
  return std::nullopt;
}

}  // namespace platform
