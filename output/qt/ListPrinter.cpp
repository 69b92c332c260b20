#include "output/qt/ListPrinter.h"

#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "framework/AppMessageBox.h"
#include "output/ListOutput.h"
#include "output/qt/PrintPreview.h"
#include "output/qt/QtPrintDC.h"

namespace output {

std::vector<int> ListPrinter::PagesToPrint(const QPrinter& printer, int pageCount) {
  std::vector<int> pages;
  const QPageRanges ranges = printer.pageRanges();
  const bool ranged = printer.printRange() == QPrinter::PageRange && !ranges.isEmpty();
  for (int p = 1; p <= pageCount; ++p) {
    if (!ranged || ranges.contains(p)) pages.push_back(p);
  }
  return pages;
}

bool ListPrinter::PrintTo(QPrinter& printer) const {
  QPainter painter;
  QtPrintDC dc(painter, printer);
  // The page count comes from the printer's measurements as the job starts.
  const std::vector<int> pages = PagesToPrint(printer, m_job.BeginPrinting(m_list, dc));
  bool ok = true;
  if (!pages.empty()) {
    ok = painter.begin(&printer);
    for (std::size_t i = 0; ok && i < pages.size(); ++i) {
      if (i > 0 && !printer.newPage()) ok = false;
      if (ok) m_job.PrintPage(m_list, dc, pages[i]);
    }
    if (painter.isActive()) ok = painter.end() && ok;
  }
  m_job.EndPrinting();
  return ok;
}

bool ListPrinter::Print(QPrinter& printer, QWidget* parent) const {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (PrintTo(printer)) return true;
  // A printer or file that cannot be opened must not pass for a printout.
  fw::AppMessageBox(nullptr, fw::MSG_ERROR, IDS_PRINT_FAILED);
  return false;
}

void ListPrinter::Preview(QPrinter& printer, QWidget* parent) const {
  PrintPreview dialog(m_job, m_list, printer, parent);
  dialog.exec();
}

}  // namespace output
