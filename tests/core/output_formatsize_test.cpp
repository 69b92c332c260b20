#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "output/FormatSize.h"

namespace {

using output::FormatSize;

std::string Halves(std::uint64_t value) {
  std::string out = "stale contents";
  FormatSize(static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32), out);
  return out;
}

std::string Grouped(std::uint64_t v) {
  const std::string digits = std::to_string(v);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out + " Byte";
}

TEST(FormatSizeTest, GroupsDigitsByThreesOverTheWholeRange) {
  EXPECT_EQ(FormatSize(1234567), "1.234.567 Byte");
  // Group edges, inner zeros, the 32-bit edge of the halves, and from
  // 2^32 * 10^9 on, where the quotient by 10^9 no longer fits in 32 bits.
  std::vector<std::uint64_t> values = {0, 999, 1000, 1000000005, 5000000005, 4294967295,
                                       4294967296, 4294967296000000000ull, 10000000000000000000ull,
                                       UINT64_MAX};
  for (std::uint64_t v = 1; v < UINT64_MAX / 7; v = v * 7 + 3) values.push_back(v);
  for (const std::uint64_t v : values) {
    EXPECT_EQ(FormatSize(v), Grouped(v)) << v;
    EXPECT_EQ(Halves(v), Grouped(v)) << v;
  }
}

}  // namespace
