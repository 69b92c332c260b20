#include "framework/qt/Text.h"

#include "framework/StringTable.h"

namespace fw::qt {

QString DisplayText(std::string_view bytes) {
  // fromUtf8 turns every invalid sequence into U+FFFD, which is what a user
  // should see for a name that is not valid UTF-8.
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString ResString(unsigned id) { return ToQ(LoadResString(id)); }

}  // namespace fw::qt
