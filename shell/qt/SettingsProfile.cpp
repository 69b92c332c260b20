#include "shell/qt/SettingsProfile.h"

namespace shell {

namespace {
QString KeyOf(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}
}  // namespace

SettingsProfile::SettingsProfile()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Ostrana"), QStringLiteral("Kolbrin"))) {}

SettingsProfile::SettingsProfile(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::int32_t SettingsProfile::GetProfileInt(std::string_view section, std::string_view key,
                                            std::int32_t defaultValue) {
  bool ok = false;
  const QVariant v = m_settings->value(KeyOf(section, key));
  const qlonglong n = v.toLongLong(&ok);
  // A value that is missing or not a 32-bit number takes its default.
  if (!ok || n < INT32_MIN || n > INT32_MAX) return defaultValue;
  return static_cast<std::int32_t>(n);
}

void SettingsProfile::WriteProfileInt(std::string_view section, std::string_view key,
                                      std::int32_t value) {
  m_settings->setValue(KeyOf(section, key), value);
}

}  // namespace shell
