// A folder of the disk that a test fills with folders and files of known
// sizes, in the system's temporary folder; gone after the test.
#pragma once

#include <string>
#include <vector>

#include "framework/win32/WinApi.h"

namespace win32test {

class CTempFolder {
 public:
  explicit CTempFolder(const std::wstring& name);
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;
  ~CTempFolder();

  // relative: below the folder, with backslashes.
  void AddFolder(const std::wstring& relative);
  void AddFile(const std::wstring& relative, std::size_t size);
  const std::wstring& Path() const { return m_path; }

 private:
  std::wstring m_path;
  std::vector<std::wstring> m_made;  // in the order made
};

}  // namespace win32test
