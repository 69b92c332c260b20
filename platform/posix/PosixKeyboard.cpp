#include "platform/posix/PosixKeyboard.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string_view>

namespace platform::posix {
namespace {

bool BrightnessIsOn(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  char text[16] = {};
  const ssize_t n = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  for (ssize_t i = 0; i < n; ++i) {
    if (text[i] >= '1' && text[i] <= '9') return true;
    if (text[i] != '0') break;
  }
  return false;
}

}  // namespace

LockKeys ReadLockKeys(const std::string& ledsDirectory) {
  LockKeys keys;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(ledsDirectory.c_str()), ::closedir);
  if (!dir) return keys;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    bool* key = name.ends_with("::capslock")     ? &keys.caps
                : name.ends_with("::numlock")    ? &keys.num
                : name.ends_with("::scrolllock") ? &keys.scroll
                                                 : nullptr;
    if (key && !*key) *key = BrightnessIsOn(ledsDirectory + "/" + entry->d_name + "/brightness");
  }
  return keys;
}

}  // namespace platform::posix

namespace platform {

LockKeys QueryLockKeys() { return posix::ReadLockKeys("/sys/class/leds"); }

}  // namespace platform
