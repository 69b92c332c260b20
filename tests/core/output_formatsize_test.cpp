#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "output/FormatSize.h"

namespace {

using output::FormatSize;

std::string Halves(std::uint64_t value) {
  std::string out = "stale contents";
  FormatSize(static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32), out);
  return out;
}

TEST(FormatSizeTest, GroupsDigitsByThreesFromTheRight) {
  EXPECT_EQ(FormatSize(0), "0 Byte");
  EXPECT_EQ(FormatSize(1), "1 Byte");
  EXPECT_EQ(FormatSize(999), "999 Byte");
  EXPECT_EQ(FormatSize(1000), "1.000 Byte");
  EXPECT_EQ(FormatSize(65536), "65.536 Byte");
  EXPECT_EQ(FormatSize(123456), "123.456 Byte");
  EXPECT_EQ(FormatSize(1234567), "1.234.567 Byte");
}

TEST(FormatSizeTest, KeepsInnerZerosAndUsesTheHighHalf) {
  EXPECT_EQ(Halves(1000000005), "1.000.000.005 Byte");
  EXPECT_EQ(Halves(5000000005), "5.000.000.005 Byte");
  EXPECT_EQ(Halves(4294967295), "4.294.967.295 Byte");
  EXPECT_EQ(Halves(4294967296), "4.294.967.296 Byte");
  EXPECT_EQ(Halves(1000000000000), "1.000.000.000.000 Byte");
}

TEST(FormatSizeTest, CoversTheWholeRangeOfSixtyFourBits) {
  // From 2^32 * 10^9 on the quotient by 10^9 no longer fits in 32 bits.
  EXPECT_EQ(FormatSize(4294967296000000000ull), "4.294.967.296.000.000.000 Byte");
  EXPECT_EQ(FormatSize(10000000000000000000ull), "10.000.000.000.000.000.000 Byte");
  EXPECT_EQ(Halves(UINT64_MAX), "18.446.744.073.709.551.615 Byte");
}

TEST(FormatSizeTest, AgreesWithPlainDecimalDigitsAcrossPowersOfTen) {
  for (std::uint64_t v = 1; v < UINT64_MAX / 7; v = v * 7 + 3) {
    std::string digits = std::to_string(v);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
      grouped += digits[i];
    }
    ASSERT_EQ(FormatSize(v), grouped + " Byte") << v;
    ASSERT_EQ(Halves(v), grouped + " Byte") << v;
  }
}

}  // namespace
