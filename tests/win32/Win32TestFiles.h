// Files for the Windows tests, made, read and removed with the system's W calls rather than the
// code under test: a temporary folder of the test's own, long paths included; and a listing through
// the program's file system.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathStyle.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Api.h"

namespace win32test {

// The long form of a fully qualified path, which every call takes whatever its length.
inline std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name = L"kolbrin-") {
    static int made = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    m_path = std::wstring(temp, ::GetTempPathW(MAX_PATH + 1, temp)) + name +
             std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
    ::CreateDirectoryW(Long(m_path).c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(m_path); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // A path below the folder, and the same as the program spells it.
  std::wstring Path(const std::wstring& below = L"") const { return below.empty() ? m_path : m_path + L"\\" + below; }
  std::string Utf8(const std::wstring& below = L"") const { return platform::win32::Narrow(Path(below)); }

  bool MakeDir(const std::wstring& below) const { return ::CreateDirectoryW(Long(Path(below)).c_str(), nullptr); }
  bool MakeFile(const std::wstring& below, std::string bytes) const { return Transfer(below, bytes, true); }
  std::string Read(const std::wstring& below) const {
    std::string bytes(1 << 16, '\0');
    return Transfer(below, bytes, false) ? bytes : "<missing>";
  }

 private:
  // Writes bytes into a new file, or reads the file into them.
  bool Transfer(const std::wstring& below, std::string& bytes, bool write) const {
    const HANDLE file = ::CreateFileW(Long(Path(below)).c_str(), write ? GENERIC_WRITE : GENERIC_READ, 0, nullptr,
                                      write ? CREATE_NEW : OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    const bool ok = write ? ::WriteFile(file, bytes.data(), size, &done, nullptr) && done == size
                          : ::ReadFile(file, bytes.data(), size, &done, nullptr);
    bytes.resize(done);
    ::CloseHandle(file);
    return ok;
  }

  static void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileW(Long(path + L"\\*").c_str(), &entry);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &entry)) {
      const std::wstring name = entry.cFileName, child = path + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      ::SetFileAttributesW(Long(child).c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only ones too
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
      else ::DeleteFileW(Long(child).c_str());
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    ::RemoveDirectoryW(Long(path).c_str());
  }

  std::wstring m_path;
};

// Every entry of a directory but "." and "..", by name, through the program's own file system.
inline std::vector<platform::FindData> List(const std::string& dir) {
  std::vector<platform::FindData> entries;
  platform::FindData data;
  platform::Job job(platform::FileSystem::Native());
  auto handle = platform::FileSystem::Native().FindFirst(job, dir, data, platform::FindLevel::kFull);
  for (bool more = handle != nullptr; more; more = handle->Next(data))
    if (!platform::IsDotOrDotDot(data.name)) entries.push_back(data);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return entries;
}

}  // namespace win32test
