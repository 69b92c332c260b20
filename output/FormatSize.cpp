#include "output/FormatSize.h"

#include <cstddef>

namespace output {

namespace {

// 20 digits, 6 dots and " Byte" fit easily.
constexpr std::size_t kBufferSize = 32;
constexpr char kSuffix[] = " Byte";
constexpr std::size_t kSuffixLength = sizeof(kSuffix) - 1;

// Writes the grouped digits backwards from end and returns the first char.
char* WriteGrouped(std::uint64_t value, char* end) {
  char* p = end;
  int inGroup = 0;
  do {
    if (inGroup == 3) {
      *--p = '.';
      inGroup = 0;
    }
    *--p = static_cast<char>('0' + value % 10);
    value /= 10;
    ++inGroup;
  } while (value != 0);
  return p;
}

}  // namespace

void FormatSize(std::uint32_t low, std::uint32_t high, std::string& out) {
  const std::uint64_t value = (std::uint64_t{high} << 32) | low;
  char buffer[kBufferSize];
  char* const digitsEnd = buffer + kBufferSize - kSuffixLength;
  for (std::size_t i = 0; i < kSuffixLength; ++i) digitsEnd[i] = kSuffix[i];
  const char* const begin = WriteGrouped(value, digitsEnd);
  out.assign(begin, static_cast<std::size_t>(buffer + kBufferSize - begin));
}

std::string FormatSize(std::uint64_t bytes) {
  std::string out;
  FormatSize(static_cast<std::uint32_t>(bytes), static_cast<std::uint32_t>(bytes >> 32), out);
  return out;
}

}  // namespace output
