#include "output/qt/PrintPreview.h"

#include <QAbstractScrollArea>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "framework/qt/Text.h"
#include "output/ListOutput.h"
#include "output/qt/ListPrinter.h"
#include "output/qt/QtPrintDC.h"
#include "res/resource.h"

namespace output {

namespace {

constexpr int kGap = 12;  // display pixels around each page

QString Res(unsigned id) { return fw::qt::ResString(id); }

}  // namespace

// The pages one below the other; paints only those in view.
class PrintPreview::PageArea : public QAbstractScrollArea {
 public:
  explicit PageArea(PrintPreview& preview) : m_preview(preview) {
    setBackgroundRole(QPalette::Dark);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
  }

  QSize PageSize() const {
    const QSizeF paper = m_preview.m_printer.pageLayout().fullRectPixels(m_preview.m_printer.resolution()).size();
    return {std::max(1, static_cast<int>(paper.width() * m_preview.m_zoom)),
            std::max(1, static_cast<int>(paper.height() * m_preview.m_zoom))};
  }
  int Stride() const { return PageSize().height() + kGap; }
  int TopOf(int page) const { return kGap + (page - 1) * Stride(); }

  void UpdateRanges() {
    const QSize page = PageSize();
    const int height = kGap + m_preview.m_pageCount * Stride();
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 20));
    horizontalScrollBar()->setRange(0, std::max(0, page.width() + 2 * kGap - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    viewport()->update();
  }

  int PageAt(int y) const {
    const int page = (verticalScrollBar()->value() + y - kGap / 2) / Stride() + 1;
    return std::clamp(page, 1, std::max(1, m_preview.m_pageCount));
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(viewport());
    const QSize size = PageSize();
    const int left = std::max(kGap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value();
    const QRect dirty = event->rect();
    for (int page = PageAt(dirty.top()); page <= m_preview.m_pageCount; ++page) {
      const int y = TopOf(page) - top;
      if (y > dirty.bottom()) break;
      const QRect place(QPoint(left, y), size);
      if (!place.intersects(dirty)) continue;
      painter.drawImage(place.topLeft(), m_preview.PageImage(page));
      painter.setPen(palette().color(QPalette::Shadow));
      painter.drawRect(place.adjusted(-1, -1, 0, 0));
    }
  }
  void resizeEvent(QResizeEvent* event) override {
    QAbstractScrollArea::resizeEvent(event);
    UpdateRanges();
  }
  void scrollContentsBy(int, int) override {
    viewport()->update();
    m_preview.PageChanged();
  }

 private:
  PrintPreview& m_preview;
};

PrintPreview::PrintPreview(ListOutput& job, const PrintSource& list, QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_job(job), m_list(list), m_printer(printer) {
  setWindowTitle(Res(IDS_PREVIEW_TITLE));
  m_area = new PageArea(*this);
  m_page = new QSpinBox;
  m_of = new QLabel;
  const auto button = [this](unsigned text, auto onClick) {
    auto* b = new QPushButton(Res(text));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, onClick);
    return b;
  };
  auto* bar = new QHBoxLayout;
  bar->addWidget(button(IDS_PREVIEW_FIRST, [this] { ShowPage(1); }));
  bar->addWidget(button(IDS_PREVIEW_PREVIOUS, [this] { ShowPage(CurrentPage() - 1); }));
  bar->addWidget(m_page);
  bar->addWidget(m_of);
  bar->addWidget(button(IDS_PREVIEW_NEXT, [this] { ShowPage(CurrentPage() + 1); }));
  bar->addWidget(button(IDS_PREVIEW_LAST, [this] { ShowPage(m_pageCount); }));
  bar->addSpacing(16);
  bar->addWidget(button(IDS_PREVIEW_ZOOM_OUT, [this] { SetZoom(m_zoom / 1.25); }));
  bar->addWidget(button(IDS_PREVIEW_ZOOM_IN, [this] { SetZoom(m_zoom * 1.25); }));
  bar->addStretch();
  bar->addWidget(button(IDS_PREVIEW_PRINT, [this] { Print(); }));
  bar->addWidget(button(IDS_PREVIEW_CLOSE, [this] { reject(); }));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(m_area, 1);
  connect(m_page, &QSpinBox::editingFinished, this, [this] { ShowPage(m_page->value()); });
  resize(900, 1000);
  // A page as wide as the window shows it at first.
  const double paperWidth = m_printer.pageLayout().fullRectPixels(m_printer.resolution()).width();
  if (paperWidth > 0) m_zoom = std::clamp((900.0 - 8 * kGap) / paperWidth, 0.02, 4.0);
  StartJob();
}

PrintPreview::~PrintPreview() { m_job.EndPrinting(); }

void PrintPreview::StartJob() {
  QPainter idle;  // measurements and fonts come from the printer alone
  QtPrintDC dc(idle, m_printer);
  m_pageCount = m_job.BeginPrinting(m_list, dc);
  m_cache.Clear();
  m_page->setRange(1, std::max(1, m_pageCount));
  m_of->setText(Res(IDS_PREVIEW_OF).arg(m_pageCount));
  m_area->UpdateRanges();
}

void PrintPreview::PaintPage(QPainter& painter, int page, double scale) const {
  const int resolution = m_printer.resolution();
  const QPointF printable = m_printer.pageLayout().paintRectPixels(resolution).topLeft() -
                            m_printer.pageLayout().fullRectPixels(resolution).topLeft();
  painter.save();
  painter.scale(scale, scale);
  painter.translate(printable);
  QtPrintDC dc(painter, m_printer);
  m_job.PrintPage(m_list, dc, page);
  painter.restore();
}

const QImage& PrintPreview::PageImage(int page) {
  return m_cache.Get(page, [this](int p) {
    const qreal ratio = devicePixelRatioF();
    const QSize size = m_area->PageSize();
    QImage image(static_cast<int>(std::ceil(size.width() * ratio)), static_cast<int>(std::ceil(size.height() * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintPage(painter, p, m_zoom);
    return image;
  });
}

int PrintPreview::CurrentPage() const { return m_area->PageAt(m_area->viewport()->height() / 2); }

void PrintPreview::ShowPage(int page) {
  page = std::clamp(page, 1, std::max(1, m_pageCount));
  m_area->verticalScrollBar()->setValue(m_area->TopOf(page) - kGap);
  PageChanged();
}

void PrintPreview::SetZoom(double zoom) {
  const int page = CurrentPage();
  m_zoom = std::clamp(zoom, 0.02, 4.0);
  m_cache.Clear();
  m_area->UpdateRanges();
  ShowPage(page);
}

void PrintPreview::PageChanged() {
  const QSignalBlocker quiet(m_page);
  m_page->setValue(CurrentPage());
}

void PrintPreview::Print() {
  // The print command's own job; the preview's begins again afterwards, on
  // the printer as the print dialog left it.
  m_job.EndPrinting();
  ListPrinter(m_job, m_list).Print(m_printer, this);
  const int page = CurrentPage();
  StartJob();
  ShowPage(page);
}

}  // namespace output
