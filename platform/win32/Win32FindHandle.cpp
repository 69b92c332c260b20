#include "platform/win32/Win32FindHandle.h"

#include "platform/win32/Win32Api.h"

#include "platform/win32/Win32Convert.h"

namespace platform::win32 {

std::unique_ptr<Win32FindHandle> Win32FindHandle::Open(const std::wstring& pattern, FindData& first,
                                                       bool largeFetch) {
  WIN32_FIND_DATAW data{};
  const HANDLE handle = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, largeFetch ? FIND_FIRST_EX_LARGE_FETCH : 0);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  FillFindData(data, first);
  return std::make_unique<Win32FindHandle>(Key{}, handle);
}

Win32FindHandle::Win32FindHandle(Key, void* handle) : m_handle(handle) {}

Win32FindHandle::~Win32FindHandle() { ::FindClose(static_cast<HANDLE>(m_handle)); }

bool Win32FindHandle::Next(FindData& out) {
  WIN32_FIND_DATAW data{};
  if (!::FindNextFileW(static_cast<HANDLE>(m_handle), &data)) return false;
  FillFindData(data, out);
  return true;
}

}  // namespace platform::win32
