#include "lists/FileCompare.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "lists/MergeSort.h"

namespace lists {
namespace {

constexpr unsigned Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// The raw result times the direction; an attribute difference of -2^31
// reversed stays the largest positive value instead of overflowing.
int Directed(std::int64_t raw, int direction) {
  const std::int64_t r = raw * direction;
  return static_cast<int>(std::clamp<std::int64_t>(r, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

int CompareTimes(platform::FileTime a, platform::FileTime b) {
  return a.value < b.value ? -1 : (a.value > b.value ? 1 : 0);
}

int RawAttributeDifference(std::uint32_t a, std::uint32_t b) {
  return static_cast<std::int32_t>(a - b);  // signed 32-bit difference, wraps like the original
}

int RawCompare(const CFileRecord& r1, const CFileRecord& r2, int column) {
  switch (column) {
    case 0: return CompareNamesAsciiNoCase(r1.m_strName, r2.m_strName);
    case 1: return r1.Size() > r2.Size() ? 1 : -1;
    case 2: return RawAttributeDifference(r1.m_dwAttributes, r2.m_dwAttributes);
    case 3: return CompareTimes(r1.m_ftLastWrite, r2.m_ftLastWrite);
    case 4: return CompareTimes(r1.m_ftCreation, r2.m_ftCreation);
    case 5: return CompareTimes(r1.m_ftLastAccess, r2.m_ftLastAccess);
    default: return 0;
  }
}

// A row with its sort value copied out of the record, so that most
// comparisons touch only this small array instead of the records.
struct KeyedRow {
  std::uint64_t key;
  std::uint64_t key2;  // names: bytes 8-15
  const CFileRecord* rec;
};

// Folded name bytes [from, from + 8) as a big-endian number, 0-padded: two
// names whose numbers differ compare the same way as the names themselves.
std::uint64_t NamePrefix(const std::string& name, std::size_t from) {
  std::uint64_t v = 0;
  for (std::size_t i = from; i < from + 8; ++i) {
    const unsigned c = i < name.size() ? Fold(static_cast<unsigned char>(name[i])) : 0u;
    v = (v << 8) | c;
  }
  return v;
}

KeyedRow MakeKeyed(const CFileRecord* r, int column) {
  switch (column) {
    case 0: return {NamePrefix(r->m_strName, 0), NamePrefix(r->m_strName, 8), r};
    case 1: return {r->Size(), 0, r};
    case 2: return {r->m_dwAttributes, 0, r};
    case 3: return {r->m_ftLastWrite.value, 0, r};
    case 4: return {r->m_ftCreation.value, 0, r};
    default: return {r->m_ftLastAccess.value, 0, r};
  }
}

int ThreeWay(std::uint64_t a, std::uint64_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

template <class Compare>
void SortKeyed(std::span<const CFileRecord*> rows, int column, Compare cmp) {
  std::vector<KeyedRow> keyed;
  keyed.reserve(rows.size());
  for (const CFileRecord* r : rows) keyed.push_back(MakeKeyed(r, column));
  MergeSort(std::span<KeyedRow>(keyed), cmp);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].rec;
}

}  // namespace

int CompareNamesAsciiNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned ca = Fold(static_cast<unsigned char>(a[i]));
    const unsigned cb = Fold(static_cast<unsigned char>(b[i]));
    if (ca != cb) return static_cast<int>(ca) - static_cast<int>(cb);
  }
  // The shorter name ends with its terminator, which is below every byte.
  const unsigned ca = a.size() > n ? Fold(static_cast<unsigned char>(a[n])) : 0u;
  const unsigned cb = b.size() > n ? Fold(static_cast<unsigned char>(b[n])) : 0u;
  return static_cast<int>(ca) - static_cast<int>(cb);
}

int CompareRows(const CFileRecord* r1, const CFileRecord* r2, std::int32_t sortKey) {
  return Directed(RawCompare(*r1, *r2, SortKeyColumn(sortKey)), SortKeyDirection(sortKey));
}

void SortFileRows(std::span<const CFileRecord*> rows, std::int32_t sortKey) {
  const int column = SortKeyColumn(sortKey);
  const int dir = SortKeyDirection(sortKey);
  if (column > 5 || dir == 0) return;  // everything compares equal: the order stays
  switch (column) {
    case 0:
      SortKeyed(rows, column, [sortKey, dir](const KeyedRow& a, const KeyedRow& b) {
        if (a.key != b.key) return ThreeWay(a.key, b.key) * dir;
        if (a.key2 != b.key2) return ThreeWay(a.key2, b.key2) * dir;
        return CompareRows(a.rec, b.rec, sortKey);
      });
      break;
    case 1:
      SortKeyed(rows, column,
                [dir](const KeyedRow& a, const KeyedRow& b) { return (a.key > b.key ? 1 : -1) * dir; });
      break;
    case 2:
      SortKeyed(rows, column, [dir](const KeyedRow& a, const KeyedRow& b) {
        return Directed(RawAttributeDifference(static_cast<std::uint32_t>(a.key),
                                               static_cast<std::uint32_t>(b.key)),
                        dir);
      });
      break;
    default:
      SortKeyed(rows, column,
                [dir](const KeyedRow& a, const KeyedRow& b) { return ThreeWay(a.key, b.key) * dir; });
      break;
  }
}

}  // namespace lists
