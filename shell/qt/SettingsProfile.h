// The profile kept by QSettings: organisation "Ostrana", application
// "Kolbrin" (the registry on Windows, the XDG configuration file on Linux).
#pragma once

#include <QSettings>
#include <memory>

#include "shell/Profile.h"

namespace shell {

class SettingsProfile : public CProfile {
 public:
  SettingsProfile();                               // the user's own settings
  explicit SettingsProfile(const QString& iniFile);  // a given file (tests)

  std::int32_t GetProfileInt(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) override;
  void WriteProfileInt(std::string_view section, std::string_view key, std::int32_t value) override;

 private:
  std::unique_ptr<QSettings> m_settings;
};

}  // namespace shell
