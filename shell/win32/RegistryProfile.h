// The profile in the registry: one key per section below the program's key
// under HKEY_CURRENT_USER, 32-bit values (REG_DWORD).
#pragma once

#include <string>

#include "shell/Profile.h"

namespace shell::win32 {

class CRegistryProfile : public CProfile {
 public:
  // key: below HKEY_CURRENT_USER, e.g. Software\Ostrana\Kolbrin.
  explicit CRegistryProfile(std::wstring key) : m_key(std::move(key)) {}

  std::int32_t GetProfileInt(std::string_view section, std::string_view key, std::int32_t defaultValue) override;
  void WriteProfileInt(std::string_view section, std::string_view key, std::int32_t value) override;

 private:
  std::wstring SectionKey(std::string_view section) const;

  std::wstring m_key;
};

}  // namespace shell::win32
