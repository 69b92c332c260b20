#include "lists/DirCompare.h"

namespace lists {

namespace {

int FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// +1 when a is greater, else -1: equal values are not reported as equal.
int CompareSize(std::uint64_t a, std::uint64_t b) { return a > b ? 1 : -1; }

int Difference(std::uint32_t a, std::uint32_t b) {
  // The 32-bit difference, read as signed.
  return static_cast<std::int32_t>(a - b);
}

}  // namespace

std::int32_t DirSortParam(int column, int direction) {
  const auto high = static_cast<std::uint32_t>(static_cast<std::uint16_t>(direction)) << 16;
  return static_cast<std::int32_t>(high | static_cast<std::uint16_t>(column));
}

int CompareNoCaseAscii(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int ca = FoldAscii(static_cast<unsigned char>(*a));
    const int cb = FoldAscii(static_cast<unsigned char>(*b));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

int CompareDirRows(const CDirRecord& a, const CDirRecord& b, std::int32_t sortParam) {
  const auto bits = static_cast<std::uint32_t>(sortParam);
  const int direction = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16));
  int value = 0;
  switch (bits & 0xFFFFu) {
    case 0: value = CompareNoCaseAscii(a.m_strDirPath.c_str(), b.m_strDirPath.c_str()); break;
    case 1: value = Difference(a.m_nSubdirs, b.m_nSubdirs); break;
    case 2: value = CompareSize(a.m_nTotalSize, b.m_nTotalSize); break;
    case 3: value = Difference(a.m_nTotalFiles, b.m_nTotalFiles); break;
    case 4: value = CompareSize(a.m_nOwnSize, b.m_nOwnSize); break;
    case 5: value = Difference(a.m_nOwnFiles, b.m_nOwnFiles); break;
    default: break;
  }
  // Only the sign matters; keep the negation below from overflowing.
  if (value == INT32_MIN) value = INT32_MIN + 1;
  return direction < 0 ? -value : value;
}

}  // namespace lists
