// File times from and to the system's clock (the offsets of local time are
// checked through the file list's time texts), and the lock-key LEDs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/posix/PosixKeyboard.h"
#include "platform/posix/UnixTime.h"

namespace {

using platform::posix::FileTimeFromUnix;

TEST(UnixTimeTest, EpochLimitsFractionsAndOldTimes) {
  EXPECT_EQ(FileTimeFromUnix(0, 0).value, 116444736000000000ull);
  EXPECT_EQ(FileTimeFromUnix(0, 999).value, 116444736000000009ull);
  EXPECT_EQ(FileTimeFromUnix(-11644473601, 0).value, 0u);  // before 1601
  EXPECT_EQ(FileTimeFromUnix(INT64_MAX, 0).value, UINT64_MAX);
  platform::SetTimeZoneForTesting("Europe/Berlin");
  platform::LocalTime t, old;
  platform::FileTime withFraction = FileTimeFromUnix(1610712000, 0);
  withFraction.value += 9999999;  // 0.9999999 s more stays in the same second
  const bool converted = platform::FileTimeToLocal(withFraction, t) && platform::FileTimeToLocal({1}, old);
  platform::SetTimeZoneForTesting(nullptr);
  ASSERT_TRUE(converted);
  EXPECT_EQ(t.second, 0);
  EXPECT_EQ(old.year, 1601);  // before the Unix epoch
}

TEST(LockKeysTest, ReadsTheKeyboardLeds) {
  const auto dir = std::filesystem::temp_directory_path() / "kolbrin-leds-test";
  std::filesystem::remove_all(dir);
  const platform::LockKeys none = platform::posix::ReadLockKeys(dir.string());
  EXPECT_FALSE(none.caps || none.num || none.scroll);
  for (const auto& [name, value] : {std::pair{"input3::capslock", "1\n"}, {"input3::numlock", "0\n"},
                                     {"input7::numlock", "0\n"}, {"input3::scrolllock", "255\n"}, {"phy0-led", "1\n"}}) {
    std::filesystem::create_directories(dir / name);
    std::ofstream(dir / name / "brightness") << value;
  }
  const platform::LockKeys keys = platform::posix::ReadLockKeys(dir.string());
  std::filesystem::remove_all(dir);
  EXPECT_TRUE(keys.caps);
  EXPECT_FALSE(keys.num);
  EXPECT_TRUE(keys.scroll);
}

}  // namespace
