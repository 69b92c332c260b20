#include "driveinfo/DriveInfoData.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <memory>

#include "framework/StringTable.h"

namespace driveinfo {

namespace {

struct FlagText {
  std::uint32_t flag;
  res::Id text;
};

constexpr FlagText kFlagTexts[] = {
    {platform::kFsCaseSensitiveSearch, IDS_FSFLAG_CASE_SENSITIVE},
    {platform::kFsCasePreservedNames, IDS_FSFLAG_CASE_PRESERVED},
    {platform::kFsUnicodeOnDisk, IDS_FSFLAG_UNICODE},
    {platform::kFsPersistentAcls, IDS_FSFLAG_ACLS},
    {platform::kFsFileCompression, IDS_FSFLAG_FILE_COMPRESSION},
    {platform::kFsVolumeIsCompressed, IDS_FSFLAG_VOLUME_COMPRESSION},
};

constexpr unsigned kLastDriveType = platform::kDriveRamDisk;

// The list box's order: letters compared without regard to case, then bytes.
bool LineLess(const std::string& a, const std::string& b) {
  const auto fold = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]);
  }
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

std::string_view DriveTypeText(unsigned type) {
  return fw::LoadResString(IDS_DRIVETYPE_BASE + (type > kLastDriveType ? 0 : type));
}

std::string FlagLines(std::uint32_t flags) {
  std::string out;
  for (const FlagText& f : kFlagTexts) {
    if ((flags & f.flag) != 0) out += fw::LoadResString(f.text);
  }
  return out;
}

std::string DriveLine::Text() const { return root + '\t' + typeText; }

void CDriveInfoData::FillDriveList() {
  m_lines.clear();
  for (std::string& root : m_fs.LogicalDriveStrings()) {
    if (root.empty()) continue;
    DriveLine line;
    line.type = m_fs.GetDriveType(root);
    line.typeText = std::string(DriveTypeText(line.type));
    line.root = std::move(root);
    m_lines.push_back(std::move(line));
  }
  // The first fixed drive in the platform's order, found again after sorting.
  const auto fixed = std::find_if(m_lines.begin(), m_lines.end(),
                                  [](const DriveLine& l) { return l.type == platform::kDriveFixed; });
  const std::string fixedRoot = fixed == m_lines.end() ? std::string() : fixed->root;
  const bool hasFixed = fixed != m_lines.end();
  std::stable_sort(m_lines.begin(), m_lines.end(), [](const DriveLine& a, const DriveLine& b) {
    return LineLess(a.Text(), b.Text());
  });
  int select = -1;
  for (size_t i = 0; hasFixed && select < 0 && i < m_lines.size(); ++i) {
    if (m_lines[i].root == fixedRoot) select = static_cast<int>(i);
  }
  Select(select);
}

void CDriveInfoData::ClearFigures() {
  m_strFlags.clear();
  m_strFileSystem.clear();
  m_strVolumeName.clear();
  m_dwFreeClusters = m_dwSectorsPerCluster = m_dwBytesPerSector = m_dwTotalClusters = 0;
  m_lMaxNameLength = m_lSerialNumber = 0;
}

void CDriveInfoData::Select(int line) {
  ClearFigures();
  m_selected = line >= 0 && static_cast<size_t>(line) < m_lines.size() ? line : -1;
  if (m_selected < 0) return;
  // The root is kept beside the line, so a root holding a tab is read whole.
  struct Figures {
    platform::VolumeInfo volume;
    platform::DiskFreeSpace space;
    bool hasVolume = false;
    bool hasSpace = false;
  };
  auto read = std::make_shared<Figures>();
  platform::FileSystem* fs = &m_fs;
  const std::string root = m_lines[static_cast<size_t>(m_selected)].root;
  auto job = std::make_shared<platform::Job>(m_fs);
  const bool done = m_runner->Run(job, [read, fs, job, root] {
    read->hasVolume = fs->GetVolumeInformation(*job, root, read->volume);
    read->hasSpace = fs->GetDiskFreeSpace(*job, root, read->space);
  });
  if (!done) return;
  if (read->hasVolume) {
    m_strVolumeName = read->volume.volumeName;
    m_lSerialNumber = std::bit_cast<std::int32_t>(read->volume.serialNumber);
    m_lMaxNameLength = std::bit_cast<std::int32_t>(read->volume.maxComponentLength);
    m_strFileSystem = read->volume.fileSystemName;
    m_strFlags = FlagLines(read->volume.flags);
  }
  if (read->hasSpace) {
    m_dwSectorsPerCluster = read->space.sectorsPerCluster;
    m_dwBytesPerSector = read->space.bytesPerSector;
    m_dwFreeClusters = read->space.freeClusters;
    m_dwTotalClusters = read->space.totalClusters;
  }
}

const std::vector<res::Id>& CDriveInfoData::FieldControls() {
  static const std::vector<res::Id> ids = {
      IDC_EDIT_FLAGS,       IDC_EDIT_FILESYSTEM, IDC_EDIT_FREECLUSTERS,
      IDC_EDIT_MAXNAMELEN,  IDC_EDIT_VOLUMENAME, IDC_EDIT_SECTORS,
      IDC_EDIT_BYTES,       IDC_EDIT_TOTALCLUSTERS, IDC_EDIT_SERIAL};
  return ids;
}

std::string CDriveInfoData::FieldText(res::Id control) const {
  switch (control) {
    case IDC_EDIT_FLAGS: return m_strFlags;
    case IDC_EDIT_FILESYSTEM: return m_strFileSystem;
    case IDC_EDIT_FREECLUSTERS: return std::to_string(m_dwFreeClusters);
    case IDC_EDIT_MAXNAMELEN: return std::to_string(m_lMaxNameLength);
    case IDC_EDIT_VOLUMENAME: return m_strVolumeName;
    case IDC_EDIT_SECTORS: return std::to_string(m_dwSectorsPerCluster);
    case IDC_EDIT_BYTES: return std::to_string(m_dwBytesPerSector);
    case IDC_EDIT_TOTALCLUSTERS: return std::to_string(m_dwTotalClusters);
    case IDC_EDIT_SERIAL: return std::to_string(m_lSerialNumber);
    default: return {};
  }
}

}  // namespace driveinfo
