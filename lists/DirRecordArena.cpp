#include "lists/DirRecordArena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/PathStyle.h"

namespace lists {

namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
}

std::string CDirRecord::DirPath() const {
  std::vector<const CDirRecord*> chain;
  for (const CDirRecord* r = this; r != nullptr; r = r->m_pParent) chain.push_back(r);
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const CDirRecord* r = *it;
    if (r->m_pParent != nullptr && (path.empty() || path.back() != platform::kPathSeparator)) {
      path += platform::kPathSeparator;
    }
    path += r->m_pszName;
  }
  return path;
}

CDirRecord* CDirRecordSpace::Place(CDirRecord* parent, std::string_view name) {
  const std::size_t pad =
      (alignof(CDirRecord) - reinterpret_cast<std::uintptr_t>(next) % alignof(CDirRecord)) % alignof(CDirRecord);
  const std::size_t bytes = pad + sizeof(CDirRecord) + name.size() + 1;
  if (next == nullptr || bytes > left) return nullptr;
  auto* record = new (next + pad) CDirRecord;
  char* text = reinterpret_cast<char*>(next + pad + sizeof(CDirRecord));
  std::memcpy(text, name.data(), name.size());
  text[name.size()] = '\0';
  record->m_pParent = parent;
  record->m_pszName = text;
  next += bytes;
  left -= bytes;
  return record;
}

void CDirRecordArena::NewBlock(std::size_t atLeast) {
  const std::size_t size = std::max(atLeast, kBlockSize);
  m_blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
  m_space = {m_blocks.back().get(), size};
}

CDirRecord* CDirRecordArena::NewRecord(CDirRecord* parent, std::string_view name) {
  if (CDirRecord* record = m_space.Place(parent, name)) return record;
  if (m_blocks.capacity() == m_blocks.size()) m_blocks.reserve(2 * m_blocks.size() + 4);  // throws before a block
  NewBlock(CDirRecordSpace::Need(name));
  return m_space.Place(parent, name);
}

CDirRecordSpace CDirRecordArena::TakeSpace(std::size_t need, std::size_t want) {
  if (m_space.left < need) {
    if (m_blocks.capacity() == m_blocks.size()) m_blocks.reserve(2 * m_blocks.size() + 4);
    NewBlock(need);
  }
  const std::size_t size = std::min(m_space.left, std::max(need, want));
  const CDirRecordSpace slice{m_space.next, size};
  m_space.next += size;
  m_space.left -= size;
  return slice;
}

CDirRecord* CDirRecordSlicer::NewRecord(CDirRecord* parent, std::string_view name) {
  // Small: a walker that stops early leaves little behind. Records are
  // around 64 bytes with their names, so the lock is taken every thirty.
  constexpr std::size_t kSlice = 2048;
  if (CDirRecord* record = m_space.Place(parent, name)) return record;
  {
    const std::lock_guard lock(m_lock);
    m_space = m_arena.TakeSpace(CDirRecordSpace::Need(name), kSlice);
  }
  return m_space.Place(parent, name);
}

void CDirRecordArena::Adopt(CDirRecordArena&& other) {
  for (auto& block : other.m_blocks) m_blocks.push_back(std::move(block));
  other.m_blocks.clear();
  other.m_space = {};
}

}  // namespace lists
