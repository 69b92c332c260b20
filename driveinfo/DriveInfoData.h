// What the drive information window shows, without any widget: the drive
// list with its type texts and the figures of the chosen drive, read
// through the platform's file system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/JobRunner.h"
#include "platform/FileSystem.h"
#include "res/resource.h"

namespace driveinfo {

// The type text of a drive type code; "unbekannt" for 0 and codes above 6.
std::string_view DriveTypeText(unsigned type);

// One line per known property flag, in a fixed order, each ending in CR LF.
std::string FlagLines(std::uint32_t flags);

struct DriveLine {
  std::string root;      // the drive root as the platform gives it
  std::string typeText;  // the text of its drive type
  platform::DriveType type = platform::kDriveUnknown;

  // The list line: root, a tab, the type text.
  std::string Text() const;
};

class CDriveInfoData {
 public:
  explicit CDriveInfoData(platform::FileSystem& fs) : m_fs(fs) {}

  // How the volume calls are made; at once unless set. runner must
  // outlive this object.
  void SetRunner(fw::JobRunner& runner) { m_runner = &runner; }

  // Reads the drives afresh, sorts the lines as the list shows them, selects
  // the first fixed drive in the platform's order and reads its figures.
  void FillDriveList();

  // Selects a line of Lines() (-1 for none) and reads that drive's figures.
  // A drive whose calls fail, or that the user gave up waiting for, leaves
  // empty texts and zeros.
  void Select(int line);

  const std::vector<DriveLine>& Lines() const { return m_lines; }
  int Selected() const { return m_selected; }

  // The text of one of the window's edit controls; empty for other ids.
  std::string FieldText(res::Id control) const;

  // The edit controls in the order their texts are shown.
  static const std::vector<res::Id>& FieldControls();

 private:
  void ClearFigures();

  platform::FileSystem& m_fs;
  fw::JobRunner* m_runner = &fw::RunAtOnce();
  std::vector<DriveLine> m_lines;
  int m_selected = -1;

  std::string m_strFlags;
  std::string m_strFileSystem;
  std::uint32_t m_dwFreeClusters = 0;
  std::int32_t m_lMaxNameLength = 0;
  std::string m_strVolumeName;
  std::uint32_t m_dwSectorsPerCluster = 0;
  std::uint32_t m_dwBytesPerSector = 0;
  std::uint32_t m_dwTotalClusters = 0;
  std::int32_t m_lSerialNumber = 0;
};

}  // namespace driveinfo
