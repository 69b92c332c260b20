// Where the directory scan keeps its records and their names: a few large
// blocks instead of an allocation per directory. Records never move; they
// live as long as the arena.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "lists/DirRecord.h"

namespace lists {

// A run of free bytes that records are carved from.
struct CDirRecordSpace {
  std::byte* next = nullptr;
  std::size_t left = 0;

  // A record with every figure zero and its name copied; null when the
  // record does not fit.
  CDirRecord* Place(CDirRecord* parent, std::string_view name);
  // Bytes that always hold a record named name, whatever the alignment.
  static std::size_t Need(std::string_view name) { return sizeof(CDirRecord) + alignof(CDirRecord) + name.size() + 1; }
};

class CDirRecordArena {
 public:
  CDirRecordArena() = default;
  CDirRecordArena(CDirRecordArena&&) = default;
  CDirRecordArena& operator=(CDirRecordArena&&) = default;

  // A record with every figure zero, its name copied. Throws std::bad_alloc.
  CDirRecord* NewRecord(CDirRecord* parent, std::string_view name);

  // At least need bytes, and up to want, for records made elsewhere (a
  // slicer). Throws std::bad_alloc.
  CDirRecordSpace TakeSpace(std::size_t need, std::size_t want);

  // Takes over other's blocks; its records stay where they are.
  void Adopt(CDirRecordArena&& other);

 private:
  void NewBlock(std::size_t atLeast);

  std::vector<std::unique_ptr<std::byte[]>> m_blocks;
  CDirRecordSpace m_space;
};

// The records of one thread among several that share an arena: it takes a
// small slice of the arena under the arena's lock now and then and makes
// its records there, so that however many threads make records, what they
// leave unused is a slice each at most.
class CDirRecordSlicer {
 public:
  CDirRecordSlicer(CDirRecordArena& arena, std::mutex& lock) : m_arena(arena), m_lock(lock) {}

  // As CDirRecordArena::NewRecord. Throws std::bad_alloc.
  CDirRecord* NewRecord(CDirRecord* parent, std::string_view name);

 private:
  CDirRecordArena& m_arena;
  std::mutex& m_lock;
  CDirRecordSpace m_space;
};

}  // namespace lists
