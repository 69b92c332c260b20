#include "output/WorkbookFolder.h"

#include <chrono>
#include <string>

#include "platform/UserFolders.h"

namespace output {

namespace fs = std::filesystem;

namespace {

// Long enough for the program to have read the workbook, short enough not
// to gather them.
constexpr auto kKeepWorkbooks = std::chrono::hours(24);

bool IsExportedWorkbook(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.rfind("Kolbrin-Export-", 0) == 0 && path.extension() == ".xlsx";
}

void RemoveOldWorkbooks(const fs::path& folder) {
  const auto limit = fs::file_time_type::clock::now() - kKeepWorkbooks;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (IsExportedWorkbook(it->path()) && it->last_write_time(ignored) < limit && !ignored) {
      fs::remove(it->path(), ignored);
    }
  }
}

}  // namespace

fs::path PrepareWorkbookFolder(std::error_code& error) {
  error.clear();
  const fs::path cache = platform::UserCacheFolder();
  if (cache.empty()) {
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return {};
  }
  const fs::path folder = cache / "kolbrin";
  if (fs::create_directories(folder, error)) {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
  }
  if (error) return {};
  RemoveOldWorkbooks(folder);
  return folder;
}

}  // namespace output
