#include "platform/posix/UnixTime.h"

#include <limits>

namespace platform::posix {

FileTime FileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds) {
  constexpr std::int64_t kEpochSeconds = static_cast<std::int64_t>(kUnixEpochAsFileTime / kFileTimeUnitsPerSecond);
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  constexpr std::int64_t kMaxSeconds =
      static_cast<std::int64_t>((kMax - kFileTimeUnitsPerSecond) / kFileTimeUnitsPerSecond) - kEpochSeconds;
  if (seconds < -kEpochSeconds) return {};
  if (seconds > kMaxSeconds) return {kMax};
  const auto since1601 = static_cast<std::uint64_t>(seconds + kEpochSeconds);
  return {since1601 * kFileTimeUnitsPerSecond + (nanoseconds % 1000000000u) / 100u};
}

std::int64_t UnixSecondsFromFileTime(FileTime time) {
  const std::uint64_t seconds = time.value / kFileTimeUnitsPerSecond;
  constexpr std::uint64_t kEpochSeconds = kUnixEpochAsFileTime / kFileTimeUnitsPerSecond;
  return static_cast<std::int64_t>(seconds) - static_cast<std::int64_t>(kEpochSeconds);
}

}  // namespace platform::posix
