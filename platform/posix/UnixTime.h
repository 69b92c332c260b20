// Conversions between Unix times and FileTime.
#pragma once

#include <cstdint>

#include "platform/FileSystem.h"

namespace platform::posix {

// 100-ns intervals between 1601-01-01 and 1970-01-01.
inline constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ull;
inline constexpr std::uint64_t kFileTimeUnitsPerSecond = 10000000ull;

// A time before 1601 gives 0 ("not recorded"); one beyond the range of
// FileTime gives the largest value.
FileTime FileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds);

// Whole seconds since 1970 of a file time (negative before 1970).
std::int64_t UnixSecondsFromFileTime(FileTime time);

}  // namespace platform::posix
