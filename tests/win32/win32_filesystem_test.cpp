// The Windows file system layer on the drives Wine provides: C: (the
// prefix's drive_c) and Z:, which maps to the Linux root.
//
// Where Wine differs from Windows, the tests assert only what both share:
// Wine reports the creation time as the last write time (so the two are not
// compared), and a Linux directory may hold two names that differ only in
// case, which Windows would not allow (so no test depends on case folding).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
// Before windows.h, whose IDOK and IDCANCEL would replace the resource ids.
#include "tests/core/dirscan_run.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Convert.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

using platform::FileSystem;
using platform::win32::Win32FileSystem;

std::string UniqueTempDirectory() {
  char base[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(sizeof base, base);
  EXPECT_GT(length, 0u);
  std::string dir = platform::ChildPath(std::string(base, length),
                                        "kolbrin-" + std::to_string(::GetCurrentProcessId()));
  EXPECT_TRUE(::CreateDirectoryA(dir.c_str(), nullptr)) << dir;
  return dir;
}

// A tree made with the system's own calls, removed again after the test.
class TempTree : public ::testing::Test {
 protected:
  void SetUp() override { m_root = UniqueTempDirectory(); }
  void TearDown() override { Remove(m_root); }

  std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }

  void Directory(const std::string& relative) {
    ASSERT_TRUE(::CreateDirectoryA(Path(relative).c_str(), nullptr)) << relative;
  }

  // A file of size bytes; sizes beyond 4 GiB are set by moving the end
  // (sparse on Wine's Linux file systems, so cheap).
  void File(const std::string& relative, std::uint64_t size, const FILETIME* written = nullptr) {
    const HANDLE h = ::CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << relative;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(::SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(::SetEndOfFile(h));
    if (written) {
      EXPECT_TRUE(::SetFileTime(h, nullptr, nullptr, written));
    }
    ::CloseHandle(h);
  }

  static void Remove(const std::string& dir) {
    WIN32_FIND_DATAA data;
    const HANDLE h = ::FindFirstFileA(platform::SearchPattern(dir).c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (platform::IsDotOrDotDot(data.cFileName)) continue;
        const std::string child = platform::ChildPath(dir, data.cFileName);
        const bool isLink = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) Remove(child);
        else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ::RemoveDirectoryA(child.c_str());
        else ::DeleteFileA(child.c_str());
      } while (::FindNextFileA(h, &data));
      ::FindClose(h);
    }
    ::RemoveDirectoryA(dir.c_str());
  }

  // Every entry of a directory but "." and "..", by name.
  static std::vector<platform::FindData> List(const std::string& dir) {
    std::vector<platform::FindData> entries;
    platform::FindData data;
    auto handle = FileSystem::Native().FindFirst(platform::SearchPattern(dir), data,
                                                 platform::FindLevel::kFull);
    if (!handle) return entries;
    do {
      if (!platform::IsDotOrDotDot(data.name)) entries.push_back(data);
    } while (handle->Next(data));
    return entries;
  }

  std::string m_root;
};

using dirscantest::Row;

// The rows of a scan in visiting order.
std::vector<Row> Scan(const std::string& path) { return dirscantest::Scan(FileSystem::Native(), path).rows; }

TEST(Win32Drives, RootsAreDriveLettersWithTheirTypes) {
  FileSystem& fs = FileSystem::Native();
  const std::vector<std::string> roots = fs.LogicalDriveStrings();
  std::set<char> letters;
  for (const std::string& root : roots) {
    ASSERT_EQ(root.size(), 3u) << root;
    EXPECT_EQ(root.substr(1), ":\\") << root;
    letters.insert(root[0]);
    const platform::DriveType type = fs.GetDriveType(root);
    EXPECT_NE(type, platform::kDriveNoRootDir) << root;
    EXPECT_LE(type, platform::kDriveRamDisk) << root;
  }
  ASSERT_TRUE(letters.count('C')) << "Wine's C: drive is missing";
  EXPECT_EQ(fs.GetDriveType("C:\\"), platform::kDriveFixed);
  for (char c = 'A'; c <= 'Z'; ++c) {  // a letter no drive uses
    if (letters.count(c)) continue;
    EXPECT_EQ(fs.GetDriveType(std::string(1, c) + ":\\"), platform::kDriveNoRootDir);
    break;
  }
}

TEST(Win32Drives, SplitsTheSystemsRootBuffer) {
  using namespace std::string_view_literals;
  EXPECT_EQ(Win32FileSystem::SplitDriveStrings("A:\\\0C:\\\0Z:\\\0\0"sv),
            (std::vector<std::string>{"A:\\", "C:\\", "Z:\\"}));
  EXPECT_TRUE(Win32FileSystem::SplitDriveStrings("\0"sv).empty());
  EXPECT_TRUE(Win32FileSystem::SplitDriveStrings(""sv).empty());
}

TEST(Win32Drives, VolumeInformationAndFreeSpaceFillTheFields) {
  FileSystem& fs = FileSystem::Native();
  for (const char* root : {"C:\\", "Z:\\"}) {
    platform::VolumeInfo info;
    ASSERT_TRUE(fs.GetVolumeInformation(root, info)) << root;
    EXPECT_FALSE(info.fileSystemName.empty()) << root;
    EXPECT_GT(info.maxComponentLength, 0u) << root;
    platform::DiskFreeSpace space;
    ASSERT_TRUE(fs.GetDiskFreeSpace(root, space)) << root;
    EXPECT_GT(space.sectorsPerCluster, 0u) << root;
    EXPECT_GT(space.bytesPerSector, 0u) << root;
    EXPECT_GT(space.totalClusters, 0u) << root;
    EXPECT_LE(space.freeClusters, space.totalClusters) << root;
  }
  platform::VolumeInfo info;
  platform::DiskFreeSpace space;
  EXPECT_FALSE(fs.GetVolumeInformation("C:\\no such directory\\", info));
  EXPECT_FALSE(fs.GetDiskFreeSpace("C:\\no such directory\\", space));
}

TEST(Win32Paths, DriveRootGivesChildPathsWithOneSeparator) {
  EXPECT_EQ(platform::ChildPath("C:\\", "windows"), "C:\\windows");
  EXPECT_EQ(platform::ChildPath("C:\\windows", "system32"), "C:\\windows\\system32");
  EXPECT_EQ(platform::SearchPattern("C:\\"), "C:\\*.*");
  platform::FindData data;
  auto handle = FileSystem::Native().FindFirst(platform::SearchPattern("C:\\"), data,
                                               platform::FindLevel::kNamesAndType);
  ASSERT_TRUE(handle);
  bool sawWindows = false;
  do {
    const std::string child = platform::ChildPath("C:\\", data.name);
    EXPECT_EQ(child.find("\\\\"), std::string::npos) << child;
    if (data.name == "windows") sawWindows = (data.attributes & platform::kAttrDirectory) != 0;
  } while (handle->Next(data));
  EXPECT_TRUE(sawWindows);
}

// The same figures as the Linux scan of the same tree: sizes and counts
// summed per directory, subdirectories counted at every level.
TEST_F(TempTree, ScanOfAGeneratedTreeGivesItsFigures) {
  Directory("a");
  Directory("a\\b");
  Directory("a\\b\\c");
  Directory("empty");
  File("top.txt", 100);
  File("a\\one", 10);
  File("a\\two", 20);
  File("a\\b\\five", 5);
  File("a\\b\\c\\big", 5ull << 30);  // over 4 GiB: high and low halves
  const std::uint64_t big = 5ull << 30;
  const std::vector<Row> expected = {
      {m_root, 4, 135 + big, 5, 100, 1},
      {Path("a"), 2, 35 + big, 4, 30, 2},
      {Path("a\\b"), 1, 5 + big, 2, 5, 1},
      {Path("a\\b\\c"), 0, big, 1, big, 1},
      {Path("empty"), 0, 0, 0, 0, 0},
  };
  std::vector<Row> rows = Scan(m_root);
  // The listing order is the file system's; compare as sets of rows.
  auto byPath = [](const Row& l, const Row& r) { return l.path < r.path; };
  std::sort(rows.begin(), rows.end(), byPath);
  EXPECT_EQ(rows, expected);
}

TEST_F(TempTree, EntriesCarryAttributesSizesAndTimes) {
  FILETIME written;  // 2021-07-01 12:00:00 UTC
  const std::uint64_t when = 132696144000000000ull;
  written.dwLowDateTime = static_cast<DWORD>(when & 0xFFFFFFFFu);
  written.dwHighDateTime = static_cast<DWORD>(when >> 32);
  File("data.bin", 4097, &written);
  Directory("sub");
  ASSERT_TRUE(::SetFileAttributesA(Path("data.bin").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  std::vector<platform::FindData> entries = List(m_root);
  ASSERT_EQ(entries.size(), 2u);
  if (entries[0].name != "data.bin") std::swap(entries[0], entries[1]);
  const platform::FindData& file = entries[0];
  EXPECT_EQ(file.size, 4097u);
  EXPECT_EQ(file.lastWrite.value, when);
  EXPECT_NE(file.lastAccess.value, 0u);
  EXPECT_NE(file.creation.value, 0u);  // Wine gives the write time here
  EXPECT_TRUE(file.attributes & platform::kAttrReadOnly);
  EXPECT_FALSE(file.attributes & platform::kAttrDirectory);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_TRUE(entries[1].attributes & platform::kAttrDirectory);
  EXPECT_EQ(entries[1].flags & platform::kEntryMountRoot, 0u);
  ::SetFileAttributesA(Path("data.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A link back to an ancestor is listed but never entered, so the scan ends.
// Wine's CreateSymbolicLinkA reports success without making a link; the
// test then has nothing to look at.
TEST_F(TempTree, DirectoryLinkIsARowOfZerosNeitherEnteredNorCounted) {
  Directory("d");
  File("d\\f", 7);
  const std::string link = Path("d\\loop");
  ::CreateSymbolicLinkA(link.c_str(), m_root.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  if (::GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no directory links";
  bool flagged = false;
  for (const auto& e : List(Path("d"))) flagged |= e.name == "loop" && (e.flags & platform::kEntryMountRoot);
  EXPECT_TRUE(flagged);
  const std::vector<Row> rows = Scan(m_root);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (Row{m_root, 1, 7, 1, 0, 0}));
  EXPECT_EQ(rows[2], (Row{link, 0, 0, 0, 0, 0}));
}

// Wine shows a Linux symbolic link to a directory (Z:\bin -> usr/bin on
// merged-/usr systems) as a directory reparse point with tag 1.
TEST(Win32Links, LinuxDirectoryLinkOnZIsNotEntered) {
  if (::GetFileAttributesA("Z:\\bin") == INVALID_FILE_ATTRIBUTES ||
      !(::GetFileAttributesA("Z:\\bin") & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "Z:\\bin is no link here";
  }
  platform::FindData data;
  auto handle = FileSystem::Native().FindFirst("Z:\\*.*", data, platform::FindLevel::kFull);
  ASSERT_TRUE(handle);
  bool flagged = false;
  std::uint32_t attributes = 0;
  do {
    if (data.name != "bin") continue;
    flagged = (data.flags & platform::kEntryMountRoot) != 0;
    attributes = data.attributes;
  } while (handle->Next(data));
  EXPECT_TRUE(flagged);
  // The pair the Linux layer gives a link to a directory as well.
  constexpr std::uint32_t kLink = platform::kAttrDirectory | platform::kAttrReparsePoint;
  EXPECT_EQ(attributes & kLink, kLink);
}

TEST(Win32Links, ReparseTagsDecideWhichDirectoriesAreEntered) {
  using platform::win32::IsSurrogateDirectory;
  constexpr DWORD kLinkDir = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  EXPECT_TRUE(IsSurrogateDirectory(kLinkDir, 0xA0000003));   // mount point, junction
  EXPECT_TRUE(IsSurrogateDirectory(kLinkDir, 0xA000000C));   // symbolic link
  EXPECT_TRUE(IsSurrogateDirectory(kLinkDir, 1));            // Wine's Linux link
  EXPECT_FALSE(IsSurrogateDirectory(kLinkDir, 0x9000001A));  // cloud placeholder
  EXPECT_FALSE(IsSurrogateDirectory(FILE_ATTRIBUTE_DIRECTORY, 0xA0000003));
  EXPECT_FALSE(IsSurrogateDirectory(FILE_ATTRIBUTE_REPARSE_POINT, 0xA000000C));  // file link
}

TEST_F(TempTree, MissingOrTooLongDirectoryCannotBeListed) {
  platform::FindData data;
  EXPECT_FALSE(FileSystem::Native().FindFirst(platform::SearchPattern(Path("missing")), data,
                                              platform::FindLevel::kFull));
  const std::string tooLong = Path(std::string(300, 'x'));
  EXPECT_FALSE(FileSystem::Native().FindFirst(platform::SearchPattern(tooLong), data,
                                              platform::FindLevel::kFull));
  const std::vector<Row> rows = Scan(tooLong);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (Row{tooLong, 0, 0, 0, 0, 0}));
}

// The offset of the converted moment's own season, whatever today's is;
// zero and times beyond the system's range give no time.
TEST(Win32LocalTime, UsesTheOffsetInForceAtThatTime) {
  platform::SetTimeZoneForTesting("Europe/Berlin");
  platform::LocalTime summer, winter, none;
  const bool converted[] = {platform::FileTimeToLocal({132696144000000000ull}, summer),  // 2021-07-01 12:00 UTC
                            platform::FileTimeToLocal({132539760000000000ull}, winter),  // 2021-01-01 12:00 UTC
                            platform::FileTimeToLocal({0}, none),
                            platform::FileTimeToLocal({0x8000000000000000ull}, none)};
  platform::SetTimeZoneForTesting(nullptr);
  EXPECT_EQ(std::vector<bool>(std::begin(converted), std::end(converted)),
            (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ((std::vector{summer.year, summer.month, summer.day, summer.hour}), (std::vector{2021, 7, 1, 14}));
  EXPECT_EQ(winter.hour, 13);
}

}  // namespace
