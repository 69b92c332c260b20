#include "lists/DirRecordArena.h"

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

void* CDirRecordArena::Allocate(std::size_t bytes, std::size_t alignment) {
  const std::size_t pad = (alignment - reinterpret_cast<std::uintptr_t>(m_next) % alignment) % alignment;
  if (m_next == nullptr || pad + bytes > m_left) {
    const std::size_t size = bytes + alignment > kBlockSize ? bytes + alignment : kBlockSize;
    m_blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
    m_next = m_blocks.back().get();
    m_left = size;
    return Allocate(bytes, alignment);
  }
  void* p = m_next + pad;
  m_next += pad + bytes;
  m_left -= pad + bytes;
  return p;
}

CDirRecord* CDirRecordArena::NewRecord(CDirRecord* parent, std::string_view name) {
  auto* text = static_cast<char*>(Allocate(name.size() + 1, 1));
  std::memcpy(text, name.data(), name.size());
  text[name.size()] = '\0';
  auto* record = new (Allocate(sizeof(CDirRecord), alignof(CDirRecord))) CDirRecord;
  record->m_pParent = parent;
  record->m_pszName = text;
  return record;
}

void CDirRecordArena::Adopt(CDirRecordArena&& other) {
  for (auto& block : other.m_blocks) m_blocks.push_back(std::move(block));
  other.m_blocks.clear();
  other.m_next = nullptr;
  other.m_left = 0;
}

}  // namespace lists
