#include <gtest/gtest.h>

#include "output/XlsxFile.h"

namespace {

TEST(XlsxTextTest, InvalidUtf8BecomesReplacementCharacters) {
  const std::string r = "\xef\xbf\xbd";
  const std::pair<std::string, std::string> cases[] = {
      {"plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf", "plain \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf"},
      {"a\xff" "b", "a" + r + "b"}, {"\xc3", r},  // cut short
      {"\xc0\xaf", r + r},                        // overlong
      {"\xe0\x9f\xbf", r + r + r},                // overlong in three bytes
      {"\xed\xa0\x80", r + r + r},                // surrogate
      {"\xf4\x90\x80\x80", r + r + r + r},        // beyond U+10FFFF
      {"\xc3(", r + "("}};                        // no continuation
  for (const auto& [text, valid] : cases) EXPECT_EQ(output::ValidUtf8(text), valid);
}

}  // namespace
