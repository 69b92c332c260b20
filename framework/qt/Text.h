// Conversions between the program's byte strings and Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace fw::qt {

// Resource texts are UTF-8.
inline QString ToQ(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A file-system name or path for display: UTF-8, with a visible
// replacement character for bytes that are not valid UTF-8.
QString DisplayText(std::string_view bytes);

inline std::string FromQ(const QString& s) { return s.toUtf8().toStdString(); }

// A string resource as a QString.
QString ResString(unsigned id);

}  // namespace fw::qt
