#include "lists/FileCompare.h"

#include <algorithm>
#include <limits>
#include <type_traits>
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

// The words' difference taken as a signed 32-bit number, whatever the width
// of int. Attribute words in use stay far below 2^31, where this orders them
// by value; words 2^31 or more apart would wrap, but no file's words lie that
// far apart, so the single subtraction needs no wider arithmetic.
int RawAttributeDifference(std::uint32_t a, std::uint32_t b) {
  return static_cast<std::int32_t>(a - b);
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

// Rows with their sort value copied out of the record, so that most
// comparisons touch only this small array instead of the records.
struct NumberRow {
  std::uint64_t key;
  const CFileRecord* rec;
};
struct NameRow {
  std::uint64_t key;   // folded bytes 0-7
  std::uint64_t key2;  // folded bytes 8-15
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

std::uint64_t NumberKey(const CFileRecord& r, int column) {
  switch (column) {
    case 1: return r.Size();
    case 2: return r.m_dwAttributes;
    case 3: return r.m_ftLastWrite.value;
    case 4: return r.m_ftCreation.value;
    default: return r.m_ftLastAccess.value;
  }
}

// Sorts the keyed rows with before(later, earlier) meaning exactly
// "CompareRows(later, earlier, key) < 0", then writes the new order back.
// The rows' records lie in listing order while the rows are in some other:
// reading them is a chain of cache misses, so each record (and, for names,
// the name's bytes) is fetched a few rows ahead of its use.
constexpr std::size_t kRecordAhead = 16;
constexpr std::size_t kNameAhead = 8;

template <class Row, class Make, class Before>
void SortKeyed(std::span<const CFileRecord*> rows, Make make, Before before) {
  constexpr bool kNames = std::is_same_v<Row, NameRow>;
  const std::size_t n = rows.size();
  std::vector<Row> keyed;
  keyed.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kRecordAhead < n) {
      const char* ahead = reinterpret_cast<const char*>(rows[i + kRecordAhead]);
      __builtin_prefetch(ahead);
      __builtin_prefetch(ahead + sizeof(CFileRecord) - 1);
    }
    if (kNames && i + kNameAhead < n) __builtin_prefetch(rows[i + kNameAhead]->m_strName.data());
    keyed.push_back(make(rows[i]));
  }
  MergeSortBy(std::span<Row>(keyed), before);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].rec;
}

void SortByName(std::span<const CFileRecord*> rows, std::int32_t sortKey, int dir) {
  auto make = [](const CFileRecord* r) {
    return NameRow{NamePrefix(r->m_strName, 0), NamePrefix(r->m_strName, 8), r};
  };
  auto before = [sortKey, dir](const NameRow& a, const NameRow& b) {
    if (a.key != b.key) return (a.key < b.key) == (dir > 0);
    if (a.key2 != b.key2) return (a.key2 < b.key2) == (dir > 0);
    return CompareRows(a.rec, b.rec, sortKey) < 0;
  };
  SortKeyed<NameRow>(rows, make, before);
}

void SortByNumber(std::span<const CFileRecord*> rows, int column, int dir) {
  auto make = [column](const CFileRecord* r) { return NumberRow{NumberKey(*r, column), r}; };
  using R = const NumberRow&;
  if (column == 1 && dir > 0) {  // +1 when larger, else -1: equal sizes count as smaller
    SortKeyed<NumberRow>(rows, make, [](R a, R b) { return a.key <= b.key; });
  } else if (column == 1) {
    SortKeyed<NumberRow>(rows, make, [](R a, R b) { return a.key > b.key; });
  } else if (column == 2) {
    SortKeyed<NumberRow>(rows, make, [dir](R a, R b) {
      const int raw = RawAttributeDifference(static_cast<std::uint32_t>(a.key),
                                             static_cast<std::uint32_t>(b.key));
      return Directed(raw, dir) < 0;
    });
  } else if (dir > 0) {
    SortKeyed<NumberRow>(rows, make, [](R a, R b) { return a.key < b.key; });
  } else {
    SortKeyed<NumberRow>(rows, make, [](R a, R b) { return a.key > b.key; });
  }
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
  if (column == 0) {
    SortByName(rows, sortKey, dir);
  } else {
    SortByNumber(rows, column, dir < 0 ? -1 : 1);
  }
}

}  // namespace lists
