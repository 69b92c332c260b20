// The per-user profile: 32-bit values by section and key.
#pragma once

#include <cstdint>
#include <string_view>

namespace shell {

class CProfile {
 public:
  virtual ~CProfile() = default;
  virtual std::int32_t GetProfileInt(std::string_view section, std::string_view key,
                                     std::int32_t defaultValue) = 0;
  virtual void WriteProfileInt(std::string_view section, std::string_view key,
                               std::int32_t value) = 0;
};

}  // namespace shell
