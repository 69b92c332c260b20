// Which pages a print preview shows and where: one page, or two side by
// side, moved forward and back within the job, at a zoom whose first step
// shows the whole page(s) and each further step half as large again. The
// paper is measured in printer pixels, the view in display pixels.
#pragma once

#include "output/PrintDC.h"

namespace output {

struct Extent {
  int cx = 0, cy = 0;
  bool operator==(const Extent&) const = default;
};

struct PreviewGeometry {
  Extent paper;  // the whole sheet, printer pixels
  Extent view;   // the room the pages are shown in, display pixels
  int gap = 0;   // display pixels around and between the pages
};

class PreviewPages {
 public:
  static constexpr int kMaxZoomStep = 5;

  // Keeps the page shown within the job.
  void SetPageCount(int count);
  int PageCount() const { return m_count; }
  // The page shown, or the left one of two.
  int FirstPage() const { return m_first; }
  // Two only in the two-page view of a job of more than one page.
  int ShownCount() const { return m_two && m_first < m_count ? 2 : 1; }
  bool TwoPages() const { return m_two; }
  void SetTwoPages(bool on);
  // Clamped to the job's pages; in the two-page view the last page is
  // shown beside the one before it.
  void ShowPage(int page);
  bool AtFirst() const { return m_first == 1; }
  bool AtLast() const { return m_first + ShownCount() > m_count; }

  int ZoomStep() const { return m_zoom; }
  // Clamped to 0..kMaxZoomStep.
  void SetZoomStep(int step);

  // Display pixels per printer pixel.
  double Scale(const PreviewGeometry& g) const;
  // A page as shown, display pixels.
  Extent PageSize(const PreviewGeometry& g) const;
  // The shown pages with the gaps around them: what the view scrolls over.
  Extent ContentSize(const PreviewGeometry& g) const;
  // Shown page index (0 or 1) within the content, which sits in the middle
  // of a larger view.
  Rect PageRect(int index, const PreviewGeometry& g) const;

 private:
  int m_count = 1;
  int m_first = 1;
  bool m_two = false;
  int m_zoom = 0;
};

}  // namespace output
