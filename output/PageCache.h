// The pages a preview has drawn, so that showing one again costs nothing:
// the last few by page number, the one shown longest ago dropped first.
// However long the list, the preview holds the drawings of a few pages.
#pragma once

#include <algorithm>
#include <cstddef>
#include <list>
#include <utility>

namespace output {

template <class Page>
class PageCache {
 public:
  explicit PageCache(std::size_t keep) : m_keep(keep < 1 ? 1 : keep) {}

  // Page number page, drawn by draw(page) when it is not held.
  template <class Draw>
  const Page& Get(int page, Draw&& draw) {
    const auto held = std::find_if(m_pages.begin(), m_pages.end(), [page](const auto& p) { return p.first == page; });
    if (held != m_pages.end()) {
      m_pages.splice(m_pages.begin(), m_pages, held);
    } else {
      m_pages.emplace_front(page, draw(page));
      if (m_pages.size() > m_keep) m_pages.pop_back();
    }
    return m_pages.front().second;
  }

  bool Holds(int page) const {
    return std::any_of(m_pages.begin(), m_pages.end(), [page](const auto& p) { return p.first == page; });
  }
  std::size_t Size() const { return m_pages.size(); }
  // Every page is drawn anew from now on (another scale, another printer).
  void Clear() { m_pages.clear(); }

 private:
  std::size_t m_keep;
  std::list<std::pair<int, Page>> m_pages;  // the page shown last first
};

}  // namespace output
