// Local calendar time of file times through the C library's zone rules,
// which apply the offset in force at the converted moment.
#include <time.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/posix/UnixTime.h"

namespace platform {
namespace {

// The TZ value the process started with; empty optional when TZ was unset.
struct SavedZone {
  bool saved = false;
  std::optional<std::string> value;
};

SavedZone& Saved() {
  static SavedZone zone;
  return zone;
}

}  // namespace

bool FileTimeToLocal(FileTime time, LocalTime& out) {
  if (time.value == 0) return false;
  const std::int64_t seconds = posix::UnixSecondsFromFileTime(time);
  const auto t = static_cast<time_t>(seconds);
  if (static_cast<std::int64_t>(t) != seconds) return false;
  struct tm parts {};
  if (::localtime_r(&t, &parts) == nullptr) return false;
  out.year = parts.tm_year + 1900;
  out.month = parts.tm_mon + 1;
  out.day = parts.tm_mday;
  out.hour = parts.tm_hour;
  out.minute = parts.tm_min;
  out.second = parts.tm_sec;
  return true;
}

void SetTimeZoneForTesting(const char* zone) {
  SavedZone& saved = Saved();
  if (!saved.saved) {
    if (const char* current = std::getenv("TZ")) saved.value = current;
    saved.saved = true;
  }
  if (zone && *zone) {
    ::setenv("TZ", zone, 1);
  } else if (saved.value) {
    ::setenv("TZ", saved.value->c_str(), 1);
  } else {
    ::unsetenv("TZ");
  }
  ::tzset();
}

}  // namespace platform
