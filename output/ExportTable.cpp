#include "output/ExportTable.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "res/resource.h"
#include "shell/AppMessageBox.h"

namespace output {

namespace fs = std::filesystem;

namespace {

// The file-error box shows at most this many characters of a description.
constexpr std::size_t kMaxDescription = 1023;

std::string SystemDescription(int error) {
  std::string text = std::strerror(error);
  if (text.size() > kMaxDescription) text.resize(kMaxDescription);
  return text;
}

bool NeedsQuotes(const std::string& field, char separator) {
  for (const char c : field) {
    if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

void AppendField(std::string& line, const std::string& field, char separator) {
  if (!NeedsQuotes(field, separator)) {
    line += field;
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

// Opens path for writing only if it does not exist yet. "x" is the standard
// exclusive mode; runtimes that reject it get a checked plain create.
std::FILE* OpenExclusive(const fs::path& path) {
  const std::string name = path.string();
  std::FILE* file = std::fopen(name.c_str(), "wbx");
  if (file != nullptr || errno != EINVAL) return file;
  std::error_code ec;
  if (fs::exists(path, ec)) {
    errno = EEXIST;
    return nullptr;
  }
  return std::fopen(name.c_str(), "wb");
}

// A new, exclusively created file with a random name in directory.
std::FILE* CreateTemporary(const fs::path& directory, fs::path& tempPath) {
  static std::mt19937_64 random{std::random_device{}()};
  constexpr int kAttempts = 32;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    char name[40];
    std::snprintf(name, sizeof name, ".kolbrin-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    tempPath = directory / name;
    std::FILE* file = OpenExclusive(tempPath);
    if (file != nullptr || errno != EEXIST) return file;
  }
  return nullptr;
}

// The replaced file keeps its permission bits.
void CopyPermissions(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const fs::file_status status = fs::status(from, ec);
  if (ec || !fs::is_regular_file(status)) return;
  fs::permissions(to, status.permissions(), fs::perm_options::replace, ec);
}

}  // namespace

std::string CExportTable::FormatLine(const ExportRow& row) const {
  std::string line;
  bool first = true;
  for (const std::string& field : row) {
    if (!first) line += m_chSeparator;
    first = false;
    AppendField(line, field, m_chSeparator);
  }
  line += "\r\n";
  return line;
}

std::size_t CExportTable::WriteBytes(std::FILE* file, const char* data, std::size_t size) {
  return std::fwrite(data, 1, size, file);
}

bool CExportTable::WriteRows(std::FILE* file, const ExportRows& rows, std::string& error) {
  for (const ExportRow& row : rows) {
    const std::string line = FormatLine(row);
    errno = 0;
    if (WriteBytes(file, line.data(), line.size()) != line.size()) {
      error = SystemDescription(errno != 0 ? errno : EIO);
      return false;
    }
  }
  errno = 0;
  if (std::fflush(file) != 0) {
    error = SystemDescription(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
}

bool CExportTable::WriteToFile(const std::string& fileName, const ExportRows& rows) {
  const fs::path target(fileName);
  fs::path directory = target.parent_path();
  if (directory.empty()) directory = ".";

  std::string error;
  fs::path tempPath;
  std::FILE* file = CreateTemporary(directory, tempPath);
  if (file == nullptr) {
    error = SystemDescription(errno != 0 ? errno : EIO);
  } else {
    bool ok = WriteRows(file, rows, error);
    errno = 0;
    if (std::fclose(file) != 0 && ok) {
      error = SystemDescription(errno != 0 ? errno : EIO);
      ok = false;
    }
    if (ok) {
      CopyPermissions(target, tempPath);
      std::error_code ec;
      fs::rename(tempPath, target, ec);
      if (!ec) return true;
      error = ec.message().substr(0, kMaxDescription);
    }
    std::error_code ignored;
    fs::remove(tempPath, ignored);
  }
  shell::AppMessageBox(nullptr, shell::MSG_ERROR, IDS_FILE_ERROR, error.c_str());
  return false;
}

}  // namespace output
