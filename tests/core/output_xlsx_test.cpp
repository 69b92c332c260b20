#include <gtest/gtest.h>

#include "output/XlsxFile.h"

namespace {

using output::ValidUtf8;

TEST(XlsxTextTest, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(ValidUtf8("plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80"),
            "plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80");
  EXPECT_EQ(ValidUtf8("a\xff" "b"), "a\xef\xbf\xbd" "b");
  EXPECT_EQ(ValidUtf8("\xc3"), "\xef\xbf\xbd");                  // cut short
  EXPECT_EQ(ValidUtf8("\xc0\xaf"), "\xef\xbf\xbd\xef\xbf\xbd");  // overlong
  EXPECT_EQ(ValidUtf8("\xed\xa0\x80"), "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");  // surrogate
}

}  // namespace
