// One print job of a list: the print font and page measurements from the
// start to the end of the job, and the drawing of each page as a ruled
// table with the page number above, a two-line title band and the rows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "output/PrintDC.h"

namespace output {

// Device pixels, valid from BeginPrinting to the next job.
struct PrintMetrics {
  int lineHeight = 0;
  int rowsPerPage = 0;
  int marginLeft = 0;
  int marginTop = 0;
  int marginBottom = 0;
  int pageWidth = 0;   // width of the table
  int pageHeight = 0;  // between top and bottom margin
};

// One printed column.
struct PrintColumn {
  std::string title;
  int width = 0;                       // printed width in device pixels
  unsigned format = TextFlags::kLeft;  // kLeft, kCenter or kRight
  int column = 0;                      // list column index
};

class PrintJob {
 public:
  // Columns narrower than this on screen are left out of the printout.
  static constexpr int kMinColumnWidth = 16;

  // Creates the font (8-point Arial), sets the measurements and returns the
  // page count: rows / rows per page + 1, so a list that fills its last page
  // exactly gets one further page without rows.
  int BeginPrinting(const PrintSource& list, PrintDC& dc);

  // Draws page (counted from 1); nothing outside a job.
  void PrintPage(const PrintSource& list, PrintDC& dc, int page) const;

  // Gives up the print font.
  void EndPrinting() { m_fontPrint.reset(); }

  const PrintMetrics& Metrics() const { return m_metrics; }
  const std::optional<FontSpec>& Font() const { return m_fontPrint; }

  // The kept columns with their printed widths, left to right.
  std::vector<PrintColumn> LayoutColumns(const PrintSource& list) const;

 private:
  void DrawTitles(PrintDC& dc, const std::vector<PrintColumn>& columns, int inset) const;
  void DrawRules(PrintDC& dc, const std::vector<PrintColumn>& columns, int rowsTop) const;
  void DrawRows(const PrintSource& list, PrintDC& dc, const std::vector<PrintColumn>& columns,
                int page, int insetX, int rowsTop) const;

  std::optional<FontSpec> m_fontPrint;
  PrintMetrics m_metrics;
};

}  // namespace output
