#include "lists/FileRows.h"

#include <algorithm>
#include <new>

#include "lists/FileCompare.h"

namespace lists {
namespace {

// Blocks grow from a few dozen records for small directories to a size
// where one allocation serves thousands of rows.
constexpr std::size_t kFirstBlock = 64;
constexpr std::size_t kLargestBlock = 8192;

// Row arrays larger than this are given back when the list is emptied.
constexpr std::size_t kKeepRowCapacity = 4096;

}  // namespace

void CFileRows::FreeRowRecords() {
  m_rows.clear();
  if (m_rows.capacity() > kKeepRowCapacity) std::vector<const CFileRecord*>().swap(m_rows);
  m_blocks.clear();
  m_usedInLast = 0;
}

CFileRecord* CFileRows::NewRecord() {
  if (m_blocks.empty() || m_usedInLast == m_blocks.back().size) {
    const std::size_t size =
        m_blocks.empty() ? kFirstBlock : std::min(kLargestBlock, m_blocks.back().size * 2);
    m_blocks.push_back({std::make_unique<CFileRecord[]>(size), size});
    m_usedInLast = 0;
  }
  return &m_blocks.back().records[m_usedInLast++];
}

bool CFileRows::InsertFileRow(const platform::FindData& entry) {
  try {
    // Grown here so that running out of memory throws before a record is taken.
    if (m_rows.size() == m_rows.capacity()) m_rows.reserve(std::max<std::size_t>(256, 2 * m_rows.size()));
    CFileRecord* record = NewRecord();
    record->Assign(entry);
    m_rows.push_back(record);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void CFileRows::FillFileList(platform::FileSystem& fs, platform::Job& job, std::string_view path) {
  m_nSortDir.fill(1);
  platform::FindData entry;
  const std::unique_ptr<platform::FindHandle> find = fs.FindFirst(job, path, entry, platform::FindLevel::kFiles);
  if (!find) return;  // missing or unreadable: the list stays empty, silently
  do {
    if (entry.attributes & platform::kAttrDirectory) continue;
    if (!InsertFileRow(entry)) break;
  } while (find->Next(entry));
}

void CFileRows::Refill(platform::FileSystem& fs, platform::Job& job, std::string_view path) {
  FreeRowRecords();
  FillFileList(fs, job, path);
  Sort(MakeSortKey(0, 1));
}

void CFileRows::OnColumnClick(int column) {
  if (column < 0 || column >= kSortDirs) return;
  signed char& dir = m_nSortDir[static_cast<std::size_t>(column)];
  dir = static_cast<signed char>(-dir);
  Sort(MakeSortKey(column, dir));
}

void CFileRows::Sort(std::int32_t sortKey) {
  try {
    SortFileRows(m_rows, sortKey);
  } catch (const std::bad_alloc&) {
    // No room for the sort's buffers: the rows keep their previous order.
  }
}

std::size_t CFileRows::MemoryUse() const {
  std::size_t bytes = m_rows.capacity() * sizeof(const CFileRecord*);
  bytes += m_blocks.capacity() * sizeof(Block);
  for (const Block& b : m_blocks) bytes += b.size * sizeof(CFileRecord);
  const std::size_t inlineCapacity = std::string().capacity();
  for (const CFileRecord* r : m_rows) {
    const std::size_t cap = r->m_strName.capacity();
    if (cap > inlineCapacity) bytes += (cap + 1 + 8 + 15) / 16 * 16;
  }
  return bytes;
}

}  // namespace lists
