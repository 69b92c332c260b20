// Where the directory scan keeps its records and their names: a few large
// blocks instead of an allocation per directory. Records never move; they
// live as long as the arena.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "lists/DirRecord.h"

namespace lists {

class CDirRecordArena {
 public:
  CDirRecordArena() = default;
  CDirRecordArena(CDirRecordArena&&) = default;
  CDirRecordArena& operator=(CDirRecordArena&&) = default;

  // A record with every figure zero, its name copied. Throws std::bad_alloc.
  CDirRecord* NewRecord(CDirRecord* parent, std::string_view name);

  // Takes over other's blocks; its records stay where they are.
  void Adopt(CDirRecordArena&& other);

 private:
  void* Allocate(std::size_t bytes, std::size_t alignment);

  std::vector<std::unique_ptr<std::byte[]>> m_blocks;
  std::byte* m_next = nullptr;
  std::size_t m_left = 0;
};

}  // namespace lists
