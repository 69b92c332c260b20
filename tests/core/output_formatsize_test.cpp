// The text of a byte count: digits grouped by threes with "." and " Byte".
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "output/FormatSize.h"

namespace {

TEST(FormatSizeTest, GroupsDigitsByThreesOverTheWholeRange) {
  const auto grouped = [](std::uint64_t v) {
    std::string digits = std::to_string(v);
    for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ".");
    return digits + " Byte";
  };
  EXPECT_EQ(output::FormatSize(1234567), "1.234.567 Byte");
  // Group edges, inner zeros, the 32-bit edge of the halves, and from
  // 2^32 * 10^9 on, where the quotient by 10^9 no longer fits in 32 bits.
  std::vector<std::uint64_t> values = {0, 999, 1000, 1000000005, 5000000005, 4294967295, 4294967296,
                                       4294967296000000000ull, 10000000000000000000ull, UINT64_MAX};
  for (std::uint64_t v = 1; v < UINT64_MAX / 7; v = v * 7 + 3) values.push_back(v);
  for (const std::uint64_t v : values) {
    std::string halves = "stale contents";
    output::FormatSize(static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32), halves);
    EXPECT_EQ(halves, grouped(v)) << v;
    EXPECT_EQ(output::FormatSize(v), grouped(v)) << v;
  }
}

}  // namespace
