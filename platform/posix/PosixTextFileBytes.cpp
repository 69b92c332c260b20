// Text files on Linux are UTF-8, the program's own text.
#include "platform/TextFileBytes.h"

namespace platform {

std::string TextFileBytes(std::string_view utf8) { return std::string(utf8); }

}  // namespace platform
