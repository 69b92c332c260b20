// The drive information window's data: type texts, property lines, the
// sorted drive list with its first fixed drive, and the figures of a drive.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "driveinfo/DriveInfoData.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using driveinfo::CDriveInfoData;

const char kCaseSensitive[] = "Unterscheidet Dateinamen mit Groß- und Kleinschreibung\r\n";
const char kCasePreserved[] = "Speichert Dateinamen mit Groß- und Kleinschreibung\r\n";
const char kUnicode[] = "Speichert Dateinamen mit Unicode\r\n";
const char kAcls[] = "Speichert und erzwingt Zugriffskontroll-Listen\r\n";
const char kFileCompression[] = "Unterstützt Komprimierung auf Dateiebene\r\n";
const char kVolumeCompression[] = "Unterstützt Komprimierung auf Laufwerksebene\r\n";

std::vector<std::string> LineTexts(const CDriveInfoData& d) {
  std::vector<std::string> out;
  for (const auto& l : d.Lines()) out.push_back(l.Text());
  return out;
}

// Every field as the window shows it, in the order of the controls.
std::vector<std::string> Fields(const CDriveInfoData& d) {
  std::vector<std::string> out;
  for (const res::Id id : CDriveInfoData::FieldControls()) out.push_back(d.FieldText(id));
  return out;
}

const std::vector<std::string> kEmptyFields = {"", "", "0", "0", "", "0", "0", "0", "0"};

TEST(DriveInfoTexts, PropertyLinesOnePerKnownFlagInFixedOrder) {
  const std::pair<std::uint32_t, std::string> cases[] = {
      {0x1, kCaseSensitive}, {0x2, kCasePreserved}, {0x4, kUnicode}, {0x8, kAcls},
      {0x10, kFileCompression}, {0x8000, kVolumeCompression}, {0x20, ""}, {0, ""},
      {0xFFFFFFFFu, std::string(kCaseSensitive) + kCasePreserved + kUnicode + kAcls + kFileCompression +
                        kVolumeCompression}};
  for (const auto& [flags, lines] : cases) EXPECT_EQ(driveinfo::FlagLines(flags), lines) << flags;
  EXPECT_EQ(driveinfo::DriveTypeText(0xFFFFFFFFu), "unbekannt");
}

TEST(DriveInfoList, SortedLinesSelectFirstFixedDriveInPlatformOrder) {
  test_support::FakeFileSystem fs;
  fs.AddDrive("/mnt/usb", platform::kDriveRemovable);
  fs.AddDrive("/srv", platform::kDriveFixed);
  fs.AddDrive("/boot", platform::kDriveFixed);
  fs.AddDrive("/Zeta", static_cast<platform::DriveType>(9));
  fs.SetVolumeInfo("/srv", {"daten", 1234, 255, 0x3, "ext4"});
  fs.SetDiskFreeSpace("/srv", {8, 512, 100, 200});
  CDriveInfoData d(fs);
  d.FillDriveList();
  // The list compares letters without regard to case.
  EXPECT_EQ(LineTexts(d), (std::vector<std::string>{"/boot\tFestplattenlaufwerk",
                                                    "/mnt/usb\taustauschbar", "/srv\tFestplattenlaufwerk",
                                                    "/Zeta\tunbekannt"}));
  ASSERT_EQ(d.Selected(), 2) << "/srv comes first among the fixed drives in the platform's order";
  EXPECT_EQ(Fields(d), (std::vector<std::string>{std::string(kCaseSensitive) + kCasePreserved,
                                                 "ext4", "100", "255", "daten", "8", "512", "200",
                                                 "1234"}));
}

TEST(DriveInfoList, RereadingStartsAgainAtFirstFixedDrive) {
  test_support::FakeFileSystem fs;
  fs.AddDrive("/", platform::kDriveFixed);
  fs.AddDrive("/media/cd", platform::kDriveCdRom);
  CDriveInfoData d(fs);
  d.FillDriveList();
  d.Select(1);
  fs.AddDrive("/home", platform::kDriveFixed);
  d.FillDriveList();
  EXPECT_EQ(d.Lines().size(), 3u);
  ASSERT_EQ(d.Selected(), 0);
  EXPECT_EQ(d.Lines()[0].root, "/");
}

TEST(DriveInfoList, NoFixedDriveSelectsNothingAndLeavesFieldsEmpty) {
  test_support::FakeFileSystem other;
  other.AddDrive("/net", platform::kDriveRemote);
  other.AddDrive("/media/stick", platform::kDriveRemovable);
  CDriveInfoData e(other);
  e.FillDriveList();
  EXPECT_EQ(e.Selected(), -1);
  EXPECT_EQ(Fields(e), kEmptyFields);

  test_support::FakeFileSystem none;
  CDriveInfoData n(none);
  n.FillDriveList();
  EXPECT_TRUE(n.Lines().empty());
  EXPECT_EQ(n.Selected(), -1);
  EXPECT_EQ(Fields(n), kEmptyFields);
}

TEST(DriveInfoFigures, SerialShownSignedAndClusterFiguresUnsigned) {
  test_support::FakeFileSystem fs;
  fs.AddDrive("/a", platform::kDriveFixed);
  fs.AddDrive("/b", platform::kDriveFixed);
  fs.SetVolumeInfo("/a", {"", 0xFFFFFFFFu, 0, 0, "vfat"});
  fs.SetVolumeInfo("/b", {"", 0x7FFFFFFFu, 0, 0, "vfat"});
  fs.SetDiskFreeSpace("/b", {0xFFFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu});
  CDriveInfoData d(fs);
  d.FillDriveList();
  EXPECT_EQ(d.FieldText(IDC_EDIT_SERIAL), "-1");
  d.Select(1);
  EXPECT_EQ(d.FieldText(IDC_EDIT_SERIAL), "2147483647");
  EXPECT_EQ(d.FieldText(IDC_EDIT_SECTORS), "4294967295");
  EXPECT_EQ(d.FieldText(IDC_EDIT_BYTES), "2147483648");
  EXPECT_EQ(d.FieldText(IDC_EDIT_FREECLUSTERS), "4294967294");
  EXPECT_EQ(d.FieldText(IDC_EDIT_TOTALCLUSTERS), "4294967295");
  EXPECT_EQ(d.FieldText(IDC_LIST_DRIVES), "") << "not one of the edit fields";
}

TEST(DriveInfoFigures, FailingCallsLeaveEmptyTextsAndZerosEachOnItsOwn) {
  test_support::FakeFileSystem fs;
  fs.AddDrive("/", platform::kDriveFixed);
  fs.AddDrive("/media/card", platform::kDriveRemovable);
  fs.AddDrive("/mnt/half", platform::kDriveRemote);
  fs.SetVolumeInfo("/", {"root", 42, 255, 0x1, "ext4"});
  fs.SetDiskFreeSpace("/", {8, 512, 10, 20});
  fs.FailVolumeInfo("/media/card");
  fs.FailDiskFreeSpace("/media/card");
  fs.FailVolumeInfo("/mnt/half");
  fs.SetDiskFreeSpace("/mnt/half", {1, 4096, 5, 6});
  CDriveInfoData d(fs);
  d.FillDriveList();
  ASSERT_EQ(d.FieldText(IDC_EDIT_VOLUMENAME), "root");
  d.Select(1);  // nothing of "/" may remain
  EXPECT_EQ(d.Lines()[1].root, "/media/card");
  EXPECT_EQ(Fields(d), kEmptyFields);
  d.Select(2);  // the volume call fails, the free-space call does not
  EXPECT_EQ(Fields(d), (std::vector<std::string>{"", "", "5", "0", "", "1", "4096", "6", "0"}));
  d.Select(7);  // beyond the list: nothing selected
  EXPECT_EQ(d.Selected(), -1);
  EXPECT_EQ(Fields(d), kEmptyFields);
}

TEST(DriveInfoFigures, RootHoldingATabIsReadWhole) {
  test_support::FakeFileSystem fs;
  fs.AddDrive("/mnt/a\tb", platform::kDriveFixed);
  fs.SetVolumeInfo("/mnt/a\tb", {"tabbed", 1, 255, 0, "ext4"});
  CDriveInfoData d(fs);
  d.FillDriveList();
  ASSERT_EQ(d.Selected(), 0);
  EXPECT_EQ(d.Lines()[0].Text(), "/mnt/a\tb\tFestplattenlaufwerk");
  EXPECT_EQ(d.FieldText(IDC_EDIT_VOLUMENAME), "tabbed");
}

}  // namespace
