// The print preview: the pages of a list as the printer will print them,
// one below the other, each drawn only when it comes into view (and kept
// while it is among the last few shown), so that a preview of a long list
// opens at once and any page is shown as fast as the first. The print
// job runs from the opening of the window to its closing; printing from
// it goes through the print dialog as the print command does.
#pragma once

#include <QDialog>
#include <QImage>

#include "output/PageCache.h"

class QLabel;
class QPainter;
class QPrinter;
class QSpinBox;

namespace output {

class ListOutput;
class PrintSource;

class PrintPreview : public QDialog {
 public:
  PrintPreview(ListOutput& job, const PrintSource& list, QPrinter& printer, QWidget* parent);
  ~PrintPreview() override;

  int PageCount() const { return m_pageCount; }
  // The page at the middle of the window.
  int CurrentPage() const;
  void ShowPage(int page);
  // Display pixels per printer pixel.
  double Zoom() const { return m_zoom; }
  void SetZoom(double zoom);

  // Draws page onto painter as the preview shows it, the paper's top left
  // corner at the painter's origin, scale display pixels per printer pixel.
  void PaintPage(QPainter& painter, int page, double scale) const;
  // The page as shown now (drawn when not held).
  const QImage& PageImage(int page);
  // Pages drawn and held now.
  const PageCache<QImage>& Cache() const { return m_cache; }

 private:
  class PageArea;

  void StartJob();
  void Print();
  void PageChanged();

  ListOutput& m_job;
  const PrintSource& m_list;
  QPrinter& m_printer;
  int m_pageCount = 0;
  double m_zoom = 0.2;
  PageCache<QImage> m_cache{6};
  PageArea* m_area = nullptr;
  QSpinBox* m_page = nullptr;
  QLabel* m_of = nullptr;
};

}  // namespace output
