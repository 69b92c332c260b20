// Local calendar time of file times, and the lock-key LEDs.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST_F(LocalTimeTest, OffsetOfTheConvertedMomentNotOfToday) {
  LocalTime t;
  ASSERT_TRUE(platform::FileTimeToLocal(FromUnix(1626350400), t));  // 2021-07-15 12:00 UTC
  EXPECT_EQ(t.year, 2021);
  EXPECT_EQ(t.month, 7);
  EXPECT_EQ(t.day, 15);
  EXPECT_EQ(t.hour, 14);
  ASSERT_TRUE(platform::FileTimeToLocal(FromUnix(1610712000), t));  // 2021-01-15 12:00 UTC
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.hour, 13);
}

TEST_F(LocalTimeTest, AroundTheSpringChange) {
  // Summer time began on 2021-03-28 at 01:00 UTC.
  LocalTime before, after;
  ASSERT_TRUE(platform::FileTimeToLocal(FromUnix(1616893199), before));
  ASSERT_TRUE(platform::FileTimeToLocal(FromUnix(1616893200), after));
  EXPECT_EQ(before.hour * 3600 + before.minute * 60 + before.second, 1 * 3600 + 59 * 60 + 59);
  EXPECT_EQ(after.hour * 3600 + after.minute * 60 + after.second, 3 * 3600);
}

TEST_F(LocalTimeTest, FractionsAndOldTimes) {
  LocalTime t;
  FileTime withFraction = FromUnix(1610712000);
  withFraction.value += 9999999;  // 0.9999999 s more stays in the same second
  ASSERT_TRUE(platform::FileTimeToLocal(withFraction, t));
  EXPECT_EQ(t.second, 0);
  ASSERT_TRUE(platform::FileTimeToLocal(FileTime{1}, t));  // 1601, before the Unix epoch
  EXPECT_EQ(t.year, 1601);
}

TEST_F(LocalTimeTest, ZeroIsNotATime) {
  LocalTime t;
  EXPECT_FALSE(platform::FileTimeToLocal(FileTime{}, t));
  EXPECT_EQ(t.year, 0);
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
  auto led = [&](const std::string& name, const char* value) {
    std::filesystem::create_directories(dir / name);
    std::ofstream(dir / name / "brightness") << value;
  };
  led("input3::capslock", "1\n");
  led("input3::numlock", "0\n");
  led("input7::numlock", "0\n");
  led("input3::scrolllock", "255\n");
  led("phy0-led", "1\n");
  const platform::LockKeys keys = platform::posix::ReadLockKeys(dir.string());
  EXPECT_TRUE(keys.caps);
  EXPECT_FALSE(keys.num);
  EXPECT_TRUE(keys.scroll);
  std::filesystem::remove_all(dir);

  const platform::LockKeys none = platform::posix::ReadLockKeys(dir.string());
  EXPECT_FALSE(none.caps || none.num || none.scroll);
}

}  // namespace
