#include "shell/win32/RegistryProfile.h"

#include "framework/win32/WinApi.h"
#include "platform/win32/Utf16.h"

namespace shell::win32 {

using platform::win32::Widen;

std::wstring CRegistryProfile::SectionKey(std::string_view section) const { return m_key + L"\\" + Widen(section); }

std::int32_t CRegistryProfile::GetProfileInt(std::string_view section, std::string_view key,
                                             std::int32_t defaultValue) {
  DWORD value = 0;
  DWORD size = sizeof value;
  const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), Widen(key).c_str(),
                                        RRF_RT_REG_DWORD, nullptr, &value, &size);
  return status == ERROR_SUCCESS ? static_cast<std::int32_t>(value) : defaultValue;
}

// A value that cannot be written is lost without a message, as the
// placement is only a convenience.
void CRegistryProfile::WriteProfileInt(std::string_view section, std::string_view key, std::int32_t value) {
  HKEY hkey = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &hkey, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const auto data = static_cast<DWORD>(value);
  ::RegSetValueExW(hkey, Widen(key).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
  ::RegCloseKey(hkey);
}

}  // namespace shell::win32
