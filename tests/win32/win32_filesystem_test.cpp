// The Windows file system layer on Wine's drives C: and Z: (the Linux root).
// Only what Wine shares with Windows is asserted: Wine gives the write time
// as creation time, and a Linux folder may hold names differing in case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathStyle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Convert.h"
#include "platform/win32/Win32FileSystem.h"
#include "tests/win32/Win32TestFiles.h"

namespace {

using platform::FileSystem;
using platform::win32::Win32FileSystem;

using win32test::List;

TEST(Win32Drives, RootsAreDriveLettersWithTheirTypesAndFigures) {
  FileSystem& fs = FileSystem::Native();
  std::set<char> letters;
  for (const std::string& root : fs.LogicalDriveStrings()) {
    ASSERT_EQ(root.substr(1), ":\\") << root;
    letters.insert(root[0]);
    EXPECT_NE(fs.GetDriveType(root), platform::kDriveNoRootDir) << root;
    EXPECT_LE(fs.GetDriveType(root), platform::kDriveRamDisk) << root;
  }
  ASSERT_TRUE(letters.count('C')) << "Wine's C: drive is missing";
  EXPECT_EQ(fs.GetDriveType("C:\\"), platform::kDriveFixed);
  char unused = 'A';
  while (letters.count(unused)) ++unused;
  EXPECT_EQ(fs.GetDriveType(std::string(1, unused) + ":\\"), platform::kDriveNoRootDir);
  platform::Job job(fs);
  for (const char* root : {"C:\\", "Z:\\"}) {
    platform::VolumeInfo info;
    platform::DiskFreeSpace space;
    ASSERT_TRUE(fs.GetVolumeInformation(job, root, info) && fs.GetDiskFreeSpace(job, root, space)) << root;
    EXPECT_FALSE(info.fileSystemName.empty()) << root;
    EXPECT_GT(info.maxComponentLength, 0u) << root;
    EXPECT_TRUE(space.sectorsPerCluster > 0 && space.bytesPerSector > 0 && space.totalClusters > 0) << root;
    EXPECT_LE(space.freeClusters, space.totalClusters) << root;
  }
  platform::VolumeInfo info;
  platform::DiskFreeSpace space;
  EXPECT_FALSE(fs.GetVolumeInformation(job, "C:\\no such directory\\", info));
  EXPECT_FALSE(fs.GetDiskFreeSpace(job, "C:\\no such directory\\", space));
  using namespace std::string_view_literals;
  EXPECT_EQ(Win32FileSystem::SplitDriveStrings(L"A:\\\0C:\\\0Z:\\\0\0"sv),
            (std::vector<std::string>{"A:\\", "C:\\", "Z:\\"}));
  EXPECT_TRUE(Win32FileSystem::SplitDriveStrings(L"\0"sv).empty());
  EXPECT_TRUE(Win32FileSystem::SplitDriveStrings(L""sv).empty());
}

// A tree made with the system's own calls: the entries' attributes, sizes
// beyond 4 GiB and times, paths from a drive root with one separator, and
// what cannot be listed.
TEST(Win32Tree, EntriesOfAGeneratedTree) {
  const win32test::TempFolder root;
  ASSERT_TRUE(root.MakeDir(L"sub") && root.MakeFile(L"big", ""));
  const std::uint64_t size = (5ull << 30) + 7, when = 132696144000000000ull;  // 2021-07-01 12:00:00 UTC
  const FILETIME written{static_cast<DWORD>(when), static_cast<DWORD>(when >> 32)};
  // Sizes beyond 4 GiB by moving the end: sparse on Wine's Linux file systems.
  const HANDLE h = ::CreateFileW(root.Path(L"big").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  EXPECT_TRUE(::SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(h) &&
              ::SetFileTime(h, nullptr, nullptr, &written));
  ::CloseHandle(h);
  ASSERT_TRUE(::SetFileAttributesW(root.Path(L"big").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  const auto entries = List(root.Utf8());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "big");
  EXPECT_EQ(entries[0].size, size);
  EXPECT_EQ(entries[0].lastWrite.value, when);
  EXPECT_NE(entries[0].lastAccess.value, 0u);
  EXPECT_NE(entries[0].creation.value, 0u);  // Wine gives the write time here
  constexpr std::uint32_t kShown = platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrDirectory;
  EXPECT_EQ(entries[0].attributes & kShown, platform::kAttrReadOnly | platform::kAttrHidden);
  EXPECT_EQ(entries[1].attributes & platform::kAttrDirectory, platform::kAttrDirectory);
  EXPECT_EQ(entries[1].flags & platform::kEntryMountRoot, 0u);
  EXPECT_EQ(platform::ChildPath("C:\\", "windows"), "C:\\windows");
  EXPECT_EQ(Win32FileSystem::SearchPattern("C:\\"), "C:\\*.*");
  EXPECT_EQ(Win32FileSystem::SearchPattern("C:\\windows"), "C:\\windows\\*.*");
  const auto top = List("C:\\");
  EXPECT_TRUE(std::any_of(top.begin(), top.end(), [](const platform::FindData& e) {
    return e.name == "windows" && (e.attributes & platform::kAttrDirectory);
  }));
  platform::LocalTime beyond;
  EXPECT_FALSE(platform::FileTimeToLocal({0x8000000000000000ull}, beyond));  // past the system's range: no time
  platform::FindData data;
  platform::Job job(FileSystem::Native());
  for (const std::string& missing : {root.Utf8(L"gone"), root.Utf8() + "\\" + std::string(300, 'x')})
    EXPECT_FALSE(FileSystem::Native().FindFirst(job, missing, data, platform::FindLevel::kFull));
}

// Wine shows a Linux symbolic link to a directory (Z:\bin -> usr/bin on
// merged-/usr systems) as a directory reparse point with tag 1; it is
// flagged, so the scan does not go into it, as the reparse tags decide.
TEST(Win32Links, DirectoryLinksAreNotEntered) {
  using platform::win32::IsSurrogateDirectory;
  constexpr DWORD kLinkDir = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  EXPECT_TRUE(IsSurrogateDirectory(kLinkDir, 0xA0000003));   // mount point, junction
  EXPECT_TRUE(IsSurrogateDirectory(kLinkDir, 0xA000000C));   // symbolic link
  EXPECT_TRUE(IsSurrogateDirectory(kLinkDir, 1));            // Wine's Linux link
  EXPECT_FALSE(IsSurrogateDirectory(kLinkDir, 0x9000001A));  // cloud placeholder
  EXPECT_FALSE(IsSurrogateDirectory(FILE_ATTRIBUTE_DIRECTORY, 0xA0000003));
  EXPECT_FALSE(IsSurrogateDirectory(FILE_ATTRIBUTE_REPARSE_POINT, 0xA000000C));  // file link
  const DWORD bin = ::GetFileAttributesW(L"Z:\\bin");
  if (bin == INVALID_FILE_ATTRIBUTES || !(bin & FILE_ATTRIBUTE_REPARSE_POINT)) GTEST_SKIP() << "Z:\\bin: no link";
  const auto entries = List("Z:\\");
  const auto link = std::find_if(entries.begin(), entries.end(), [](const auto& e) { return e.name == "bin"; });
  ASSERT_NE(link, entries.end());
  EXPECT_EQ(link->flags & platform::kEntryMountRoot, platform::kEntryMountRoot);
  // The pair the Linux layer gives a link to a directory as well.
  constexpr std::uint32_t kLink = platform::kAttrDirectory | platform::kAttrReparsePoint;
  EXPECT_EQ(link->attributes & kLink, kLink);
}

}  // namespace
