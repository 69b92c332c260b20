// Times the print preview of a long file list, through the real pane and
// preview offscreen: the window with its first page drawn, the memory the
// preview holds above what the program held before, the time to show page
// 1,000 and the slowest of twenty pages picked at random.
//
//   preview_bench [rows]   (100,001 unless given)
#include <QApplication>
#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "bench/BenchUtil.h"
#include "bench/GeneratedFiles.h"
#include "framework/PathDocument.h"
#include "lists/qt/FileView.h"
#include "output/ListOutput.h"
#include "output/PrintJob.h"
#include "output/qt/PrintPreview.h"

namespace {

using bench::Clock;
using bench::Seconds;

// The document's side of printing, without the document.
class JobOnly : public output::ListOutput {
 public:
  void ExportList(const output::CListContents&, int) override {}
  int BeginPrinting(const output::PrintSource& list, output::PrintDC& dc) override {
    return m_job.BeginPrinting(list, dc);
  }
  void PrintPage(const output::PrintSource& list, output::PrintDC& dc, int page) const override {
    m_job.PrintPage(list, dc, page);
  }
  void EndPrinting() override { m_job.EndPrinting(); }

 private:
  output::PrintJob m_job;
};

// Resident memory of the process in MB.
double ResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmRSS:")) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

// Shows page and handles events until it is drawn; the seconds it took.
double TimeShow(output::PrintPreview& preview, int page) {
  const auto start = Clock::now();
  preview.ShowPage(page);
  do {
    QApplication::processEvents();
  } while (!preview.Cache().Holds(page));
  return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::size_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100001;
  bench::GeneratedFileSystem fs(rows);
  fw::CPathDocument doc(fs);
  lists::qt::CFileView view(doc, nullptr);
  doc.SetPath(nullptr, "/generated");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  JobOnly job;
  QApplication::processEvents();
  const double before = ResidentMb();

  const auto start = Clock::now();
  output::PrintPreview preview(job, view, printer, nullptr);
  preview.show();
  do {
    QApplication::processEvents();
  } while (!preview.Cache().Holds(1));
  const double first = Seconds(Clock::now() - start);
  const double atFirst = ResidentMb();
  const int target = std::min(1000, preview.PageCount());
  const double thousand = TimeShow(preview, target);
  std::mt19937 random(3);
  double slowest = 0;
  for (int i = 0; i < 20; ++i) {
    slowest = std::max(slowest, TimeShow(preview, 1 + static_cast<int>(random() % preview.PageCount())));
  }
  const double after = ResidentMb();

  std::printf("preview of %d rows: %d pages\n", view.RowCount(), preview.PageCount());
  std::printf("  window with page 1 : %8.1f ms  (target 1000 or less)\n", first * 1e3);
  std::printf("  page %d         : %8.1f ms  (target 200 or less)\n", target, thousand * 1e3);
  std::printf("  slowest of 20 pages: %8.1f ms  (target 200 or less)\n", slowest * 1e3);
  std::printf("  memory above before: %8.1f MB at page 1, %.1f MB after 22 pages  (target under 50; %.1f MB before)\n",
              atFirst - before, after - before, before);
  return 0;
}
