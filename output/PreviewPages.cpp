#include "output/PreviewPages.h"

#include <algorithm>
#include <cmath>

namespace output {

void PreviewPages::SetPageCount(int count) {
  m_count = std::max(1, count);
  ShowPage(m_first);
}

void PreviewPages::SetTwoPages(bool on) {
  m_two = on;
  ShowPage(m_first);
}

void PreviewPages::ShowPage(int page) { m_first = std::clamp(page, 1, m_two ? std::max(1, m_count - 1) : m_count); }

void PreviewPages::SetZoomStep(int step) { m_zoom = std::clamp(step, 0, kMaxZoomStep); }

double PreviewPages::Scale(const PreviewGeometry& g) const {
  if (g.paper.cx <= 0 || g.paper.cy <= 0) return 1.0;
  const int shown = ShownCount();
  const double across = static_cast<double>(g.view.cx - (shown + 1) * g.gap) / (shown * g.paper.cx);
  const double down = static_cast<double>(g.view.cy - 2 * g.gap) / g.paper.cy;
  // However small the view, a page keeps a size to draw.
  const double fit = std::max(std::min(across, down), 0.01);
  return fit * std::pow(1.5, m_zoom);
}

Extent PreviewPages::PageSize(const PreviewGeometry& g) const {
  const double scale = Scale(g);
  return {std::max(1, static_cast<int>(g.paper.cx * scale)), std::max(1, static_cast<int>(g.paper.cy * scale))};
}

Extent PreviewPages::ContentSize(const PreviewGeometry& g) const {
  const Extent page = PageSize(g);
  const int shown = ShownCount();
  return {shown * page.cx + (shown + 1) * g.gap, page.cy + 2 * g.gap};
}

Rect PreviewPages::PageRect(int index, const PreviewGeometry& g) const {
  const Extent page = PageSize(g);
  const Extent content = ContentSize(g);
  const int left = std::max(0, (g.view.cx - content.cx) / 2) + g.gap + index * (page.cx + g.gap);
  const int top = std::max(0, (g.view.cy - content.cy) / 2) + g.gap;
  return {left, top, left + page.cx, top + page.cy};
}

}  // namespace output
