// Local calendar time of file times (the offsets themselves are checked
// through the file list's time texts), and the lock-key LEDs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/posix/PosixKeyboard.h"
#include "platform/posix/UnixTime.h"

namespace {

using platform::FileTime;
using platform::LocalTime;

FileTime FromUnix(std::int64_t seconds) { return platform::posix::FileTimeFromUnix(seconds, 0); }

class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetTimeZoneForTesting("Europe/Berlin"); }
  void TearDown() override { platform::SetTimeZoneForTesting(nullptr); }
};

TEST_F(LocalTimeTest, FractionsAndOldTimes) {
  LocalTime t;
  FileTime withFraction = FromUnix(1610712000);
  withFraction.value += 9999999;  // 0.9999999 s more stays in the same second
  ASSERT_TRUE(platform::FileTimeToLocal(withFraction, t));
  EXPECT_EQ(t.second, 0);
  ASSERT_TRUE(platform::FileTimeToLocal(FileTime{1}, t));  // 1601, before the Unix epoch
  EXPECT_EQ(t.year, 1601);
}

TEST(UnixTimeTest, EpochAndLimits) {
  using platform::posix::FileTimeFromUnix;
  EXPECT_EQ(FileTimeFromUnix(0, 0).value, 116444736000000000ull);
  EXPECT_EQ(FileTimeFromUnix(0, 999).value, 116444736000000009ull);
  EXPECT_EQ(FileTimeFromUnix(-11644473601, 0).value, 0u);  // before 1601
  EXPECT_EQ(FileTimeFromUnix(INT64_MAX, 0).value, UINT64_MAX);
}

TEST(LockKeysTest, ReadsTheKeyboardLeds) {
  const auto dir = std::filesystem::temp_directory_path() / "kolbrin-leds-test";
  std::filesystem::remove_all(dir);
  for (const auto& [name, value] : {std::pair{"input3::capslock", "1\n"}, {"input3::numlock", "0\n"},
                                     {"input7::numlock", "0\n"}, {"input3::scrolllock", "255\n"},
                                     {"phy0-led", "1\n"}}) {
    std::filesystem::create_directories(dir / name);
    std::ofstream(dir / name / "brightness") << value;
  }
  const platform::LockKeys keys = platform::posix::ReadLockKeys(dir.string());
  EXPECT_TRUE(keys.caps);
  EXPECT_FALSE(keys.num);
  EXPECT_TRUE(keys.scroll);
  std::filesystem::remove_all(dir);

  const platform::LockKeys none = platform::posix::ReadLockKeys(dir.string());
  EXPECT_FALSE(none.caps || none.num || none.scroll);
}

}  // namespace
