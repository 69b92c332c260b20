#include "framework/IncrementalSearch.h"

#include <algorithm>

namespace fw {

CIncrementalSearch::Step CIncrementalSearch::Type(const std::u16string& typed, std::uint64_t time,
                                                  std::uint64_t interval, bool hasCurrent) {
  const bool goesOn = m_last && time >= *m_last && time - *m_last <= interval && !typed.empty();
  m_last = time;
  if (!goesOn) {
    m_text = typed;
    return {m_text, hasCurrent};
  }
  m_text += typed;
  const bool sameKey = std::all_of(m_text.begin(), m_text.end(), [this](char16_t c) { return c == m_text.back(); });
  if (sameKey) return {m_text.substr(m_text.size() - 1), true};
  return {m_text, false};
}

int CIncrementalSearch::FindFrom(int count, int start, const std::function<bool(int)>& matches) {
  if (count <= 0) return -1;
  start = ((start % count) + count) % count;
  for (int i = 0; i < count; ++i) {
    const int index = (start + i) % count;
    if (matches(index)) return index;
  }
  return -1;
}

}  // namespace fw
