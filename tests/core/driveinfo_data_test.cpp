// The drive information window's data: type texts, property lines, the
// sorted drive list with its first fixed drive, and the figures of a drive.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "driveinfo/DriveInfoData.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/support/GivingUp.h"

namespace {

using driveinfo::CDriveInfoData;
using Texts = std::vector<std::string>;

Texts LineTexts(const CDriveInfoData& d) {
  Texts out;
  for (const auto& l : d.Lines()) out.push_back(l.Text());
  return out;
}

// Every field as the window shows it, in the order of the controls.
Texts Fields(const CDriveInfoData& d) {
  Texts out;
  for (const res::Id id : CDriveInfoData::FieldControls()) out.push_back(d.FieldText(id));
  return out;
}

const Texts kEmptyFields = {"", "", "0", "0", "", "0", "0", "0", "0"};

TEST(DriveInfoTexts, PropertyLinesOnePerKnownFlagInFixedOrderAndTypeTexts) {
  EXPECT_EQ(driveinfo::FlagLines(0xFFFFFFFFu),
            "Unterscheidet Dateinamen mit Gro\xc3\x9f- und Kleinschreibung\r\n"
            "Speichert Dateinamen mit Gro\xc3\x9f- und Kleinschreibung\r\nSpeichert Dateinamen mit Unicode\r\n"
            "Speichert und erzwingt Zugriffskontroll-Listen\r\nUnterst\xc3\xbctzt Komprimierung auf Dateiebene\r\n"
            "Unterst\xc3\xbctzt Komprimierung auf Laufwerksebene\r\n");
  EXPECT_EQ(driveinfo::FlagLines(0x8 | 0x10), "Speichert und erzwingt Zugriffskontroll-Listen\r\n"
                                               "Unterst\xc3\xbctzt Komprimierung auf Dateiebene\r\n");
  EXPECT_EQ(driveinfo::FlagLines(0x2 | 0x8000), driveinfo::FlagLines(0x2) + driveinfo::FlagLines(0x8000));
  EXPECT_EQ(driveinfo::FlagLines(0x20 | 0x4000), "");
  EXPECT_EQ(driveinfo::DriveTypeText(6), "RAM-Disk");
  EXPECT_EQ(driveinfo::DriveTypeText(7), "unbekannt");
}

TEST(DriveInfoList, SortedLinesSelectTheFirstFixedDriveInPlatformOrder) {
  test_support::FakeFileSystem fs;
  for (const auto& [root, type] : {std::pair{"/mnt/usb", platform::kDriveRemovable}, {"/srv", platform::kDriveFixed},
                                    {"/boot", platform::kDriveFixed}, {"/Zeta", platform::DriveType(9)},
                                    {"", platform::kDriveFixed}})  // no root: no line
    fs.AddDrive(root, type);
  fs.SetVolumeInfo("/srv", {"daten", 1234, 255, 0x3, "ext4"});
  fs.SetDiskFreeSpace("/srv", {8, 512, 100, 200});
  CDriveInfoData d(fs);
  d.FillDriveList();
  // Letters compare without regard to case.
  EXPECT_EQ(LineTexts(d), (Texts{"/boot\tFestplattenlaufwerk", "/mnt/usb\taustauschbar",
                                 "/srv\tFestplattenlaufwerk", "/Zeta\tunbekannt"}));
  ASSERT_EQ(d.Selected(), 2);
  EXPECT_EQ(Fields(d), (Texts{driveinfo::FlagLines(0x3), "ext4", "100", "255", "daten", "8", "512", "200", "1234"}));
  // Reading again starts again at that drive.
  d.Select(0);
  fs.AddDrive("/a", platform::kDriveFixed);
  d.FillDriveList();
  EXPECT_EQ(std::tuple(d.Lines().size(), d.Selected(), d.FieldText(IDC_EDIT_VOLUMENAME)), std::tuple(5u, 3, "daten"));
}

TEST(DriveInfoList, NoFixedDriveSelectsNothingAndLeavesFieldsEmpty) {
  test_support::FakeFileSystem other, none;
  other.AddDrive("/net", platform::kDriveRemote);
  other.AddDrive("/media/stick", platform::kDriveRemovable);
  for (auto* fs : {&other, &none}) {
    CDriveInfoData d(*fs);
    d.FillDriveList();
    EXPECT_EQ(std::tuple(d.Lines().size(), d.Selected(), Fields(d)),
              std::tuple(fs == &other ? 2u : 0u, -1, kEmptyFields));
  }
}

TEST(DriveInfoFigures, SerialShownSignedAndClusterFiguresUnsigned) {
  test_support::FakeFileSystem fs;
  for (const char* root : {"/a", "/b"}) fs.AddDrive(root, platform::kDriveFixed);
  fs.SetVolumeInfo("/a", {"", 0xFFFFFFFFu, 0, 0, "vfat"});
  fs.SetVolumeInfo("/b", {"", 0x7FFFFFFFu, 0, 0, "vfat"});
  fs.SetDiskFreeSpace("/b", {0xFFFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu});
  CDriveInfoData d(fs);
  d.FillDriveList();
  EXPECT_EQ(d.FieldText(IDC_EDIT_SERIAL), "-1");
  d.Select(1);
  EXPECT_EQ(Fields(d), (Texts{"", "vfat", "4294967294", "0", "", "4294967295", "2147483648", "4294967295",
                              "2147483647"}));
  EXPECT_EQ(d.FieldText(IDC_LIST_DRIVES), "") << "not one of the edit fields";
}

// Each call fails on its own; a root holding a tab is read whole; a drive
// the user gave up waiting for shows nothing.
TEST(DriveInfoFigures, FailingCallsLeaveEmptyTextsAndZeros) {
  test_support::FakeFileSystem fs;
  for (const auto& [root, type] : {std::pair{"/", platform::kDriveFixed}, {"/media/card", platform::kDriveRemovable},
                                    {"/mnt/a\tb", platform::kDriveRemote}})
    fs.AddDrive(root, type);
  fs.SetVolumeInfo("/", {"root", 42, 255, 0x1, "ext4"});
  fs.SetDiskFreeSpace("/", {8, 512, 10, 20});
  for (const char* root : {"/media/card", "/mnt/a\tb"}) fs.FailVolumeInfo(root);
  fs.FailDiskFreeSpace("/media/card");
  fs.SetDiskFreeSpace("/mnt/a\tb", {1, 4096, 5, 6});
  CDriveInfoData d(fs);
  d.FillDriveList();
  ASSERT_EQ(d.FieldText(IDC_EDIT_VOLUMENAME), "root");
  d.Select(1);  // nothing of "/" may remain
  EXPECT_EQ(d.Lines()[1].root, "/media/card");
  EXPECT_EQ(Fields(d), kEmptyFields);
  d.Select(2);  // the volume call fails, the free-space call does not
  EXPECT_EQ(d.Lines()[2].Text(), "/mnt/a\tb\tNetzlaufwerk");
  EXPECT_EQ(Fields(d), (Texts{"", "", "5", "0", "", "1", "4096", "6", "0"}));
  d.Select(7);  // beyond the list: nothing selected
  EXPECT_EQ(std::pair(d.Selected(), Fields(d)), std::pair(-1, kEmptyFields));
  test_support::GivingUp givingUp;
  d.SetRunner(givingUp);
  d.Select(0);
  EXPECT_EQ(std::pair(d.Selected(), Fields(d)), std::pair(0, kEmptyFields));
}

}  // namespace
