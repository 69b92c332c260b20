#include "lists/DirCompare.h"

#include <vector>

#include "platform/PathStyle.h"

namespace lists {

namespace {

int FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// +1 when a is greater, else -1: equal values are not reported as equal.
int CompareSize(std::uint64_t a, std::uint64_t b) { return a > b ? 1 : -1; }

int Difference(std::uint32_t a, std::uint32_t b) {
  // The 32-bit difference, read as signed.
  return static_cast<std::int32_t>(a - b);
}

using Chain = std::vector<const CDirRecord*>;

// The characters of the path below a common ancestor, given as the chain
// of records from the last one up (chain[count - 1] comes first). The
// separator between names is written unless the text before ends in one,
// as DirPath writes it.
class PathChars {
 public:
  PathChars(const Chain& chain, std::size_t count) : m_chain(chain), m_index(count) { Advance(); }

  // The next byte, 0 at the end.
  unsigned char Next() {
    for (;;) {
      if (m_pendingSeparator) {
        m_pendingSeparator = false;
        m_last = platform::kPathSeparator;
        return static_cast<unsigned char>(platform::kPathSeparator);
      }
      if (m_text != nullptr && *m_text != '\0') {
        m_last = *m_text;
        return static_cast<unsigned char>(*m_text++);
      }
      if (!Advance()) return 0;
    }
  }

 private:
  bool Advance() {
    if (m_index == 0) {
      m_text = nullptr;
      return false;
    }
    const bool first = m_text == nullptr && m_last == '\0';
    m_text = m_chain[--m_index]->m_pszName;
    m_pendingSeparator = !first && m_last != platform::kPathSeparator;
    return true;
  }

  const Chain& m_chain;
  std::size_t m_index;
  const char* m_text = nullptr;
  char m_last = '\0';
  bool m_pendingSeparator = false;
};

void ChainOf(const CDirRecord& r, Chain& chain) {
  chain.clear();
  for (const CDirRecord* p = &r; p != nullptr; p = p->m_pParent) chain.push_back(p);
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

int CompareDirPaths(const CDirRecord& a, const CDirRecord& b) {
  if (&a == &b) return 0;
  thread_local Chain chainA;
  thread_local Chain chainB;
  ChainOf(a, chainA);
  ChainOf(b, chainB);
  // The common ancestors spell the same text for both; compare what follows.
  std::size_t i = chainA.size();
  std::size_t j = chainB.size();
  while (i > 0 && j > 0 && chainA[i - 1] == chainB[j - 1]) {
    --i;
    --j;
  }
  // An ancestor's path is a beginning of its descendant's, so it goes first.
  if (i == 0) return -1;
  if (j == 0) return 1;
  // Below a common ancestor both go on with a separator (or neither does):
  // start both at the first name.
  PathChars pa(chainA, i);
  PathChars pb(chainB, j);
  for (;;) {
    const int ca = FoldAscii(pa.Next());
    const int cb = FoldAscii(pb.Next());
    if (ca != cb || ca == 0) return ca - cb;
  }
}

int CompareDirRows(const CDirRecord& a, const CDirRecord& b, std::int32_t sortParam) {
  const auto bits = static_cast<std::uint32_t>(sortParam);
  const int direction = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16));
  int value = 0;
  switch (bits & 0xFFFFu) {
    case 0: value = CompareDirPaths(a, b); break;
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
