#include "platform/win32/Win32FindHandle.h"

#include "platform/win32/Win32Api.h"

#include "platform/win32/Win32Convert.h"

namespace platform::win32 {

std::unique_ptr<Win32FindHandle> Win32FindHandle::Open(const std::string& pattern,
                                                       FindData& first) {
  WIN32_FIND_DATAA data{};
  const HANDLE handle = ::FindFirstFileA(pattern.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  FillFindData(data, first);
  return std::make_unique<Win32FindHandle>(Key{}, handle);
}

Win32FindHandle::Win32FindHandle(Key, void* handle) : m_handle(handle) {}

Win32FindHandle::~Win32FindHandle() { ::FindClose(static_cast<HANDLE>(m_handle)); }

bool Win32FindHandle::Next(FindData& out) {
  WIN32_FIND_DATAA data{};
  if (!::FindNextFileA(static_cast<HANDLE>(m_handle), &data)) return false;
  FillFindData(data, out);
  return true;
}

}  // namespace platform::win32
