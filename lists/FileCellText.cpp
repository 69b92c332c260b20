#include "lists/FileCellText.h"

#include <algorithm>
#include <cstdio>

#include "output/FormatSize.h"

namespace lists {

void AttributeLetters(std::uint32_t attributes, std::string& out) {
  struct Letter {
    std::uint32_t bit;
    char letter;
  };
  static constexpr Letter kLetters[] = {
      {platform::kAttrOffline, 'O'}, {platform::kAttrCompressed, 'C'},
      {platform::kAttrTemporary, 'T'}, {platform::kAttrArchive, 'A'},
      {platform::kAttrSystem, 'S'},  {platform::kAttrHidden, 'H'},
      {platform::kAttrReadOnly, 'R'},
  };
  out.clear();
  for (const Letter& l : kLetters) {
    if (attributes & l.bit) out += l.letter;
  }
}

void FileTimeText(platform::FileTime time, std::string& out) {
  out.clear();
  platform::LocalTime t;
  if (!platform::FileTimeToLocal(time, t)) return;
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d  %02d:%02d:%02d", t.day,
                              t.month, t.year, t.hour, t.minute, t.second);
  if (n > 0) out.assign(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
}

void FileCellText(const CFileRecord& record, int column, std::string& out) {
  switch (column) {
    case 0: out = record.m_strName; break;
    case 1: output::FormatSize(record.m_nSizeLow, record.m_nSizeHigh, out); break;
    case 2: AttributeLetters(record.m_dwAttributes, out); break;
    case 3: FileTimeText(record.m_ftLastWrite, out); break;
    case 4: FileTimeText(record.m_ftCreation, out); break;
    case 5: FileTimeText(record.m_ftLastAccess, out); break;
    default: out.clear(); break;
  }
}

}  // namespace lists
