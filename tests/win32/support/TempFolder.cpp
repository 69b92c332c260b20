#include "tests/win32/support/TempFolder.h"

namespace win32test {

CTempFolder::CTempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  m_path = temp + name + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(m_path.c_str(), nullptr);
}

CTempFolder::~CTempFolder() {
  for (auto it = m_made.rbegin(); it != m_made.rend(); ++it) {
    if (!::DeleteFileW(it->c_str())) ::RemoveDirectoryW(it->c_str());
  }
  ::RemoveDirectoryW(m_path.c_str());
}

void CTempFolder::AddFolder(const std::wstring& relative) {
  m_made.push_back(m_path + L"\\" + relative);
  ::CreateDirectoryW(m_made.back().c_str(), nullptr);
}

void CTempFolder::AddFile(const std::wstring& relative, std::size_t size) {
  m_made.push_back(m_path + L"\\" + relative);
  const HANDLE file = ::CreateFileW(m_made.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const std::string bytes(size, 'x');
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace win32test
