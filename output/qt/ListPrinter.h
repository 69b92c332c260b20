// Printing a list pane: the print dialog, the preview window and the print
// cycle between them. Every page goes through the document's print job
// (BeginPrinting, PrintPage for each page, EndPrinting) with the printer's
// measurements, so the preview shows exactly the printed pages; the preview
// draws a page only when it is shown.
#pragma once

#include <vector>

class QPrinter;
class QWidget;

namespace output {

class ListOutput;
class PrintSource;

class ListPrinter {
 public:
  ListPrinter(ListOutput& job, const PrintSource& list) : m_job(job), m_list(list) {}

  // The print command: the print dialog (printer, page range, file), then
  // the job. False when the user cancels or the printer cannot start.
  bool Print(QPrinter& printer, QWidget* parent) const;

  // The preview command: the same pages in a preview window (PrintPreview).
  void Preview(QPrinter& printer, QWidget* parent) const;

  // Prints without asking: the pages of the printer's page range, or all
  // of them when it names none. False when the printer cannot start.
  bool PrintTo(QPrinter& printer) const;

  // The pages of a job of pageCount pages that printer's range selects.
  static std::vector<int> PagesToPrint(const QPrinter& printer, int pageCount);

 private:
  ListOutput& m_job;
  const PrintSource& m_list;
};

}  // namespace output
