// Times the file list pane filling and sorting, through the real view and
// model offscreen.
//
//   filelist_bench DIR [rounds] [sortRows]
//
// Part one selects DIR (a directory with many files) as the tree does and
// times the refill (listing with every file's metadata, records, sort by
// name, model reset and one paint) beside "ls -lU DIR >/dev/null", which
// reads the same metadata; the best round of each counts. Part two fills
// the pane from a generated listing of sortRows files (1,000,000 unless
// given) and times one heading click per column (sort, model reset,
// selection kept, paint). Memory per row is the records, the row array and
// the names kept outside the records.
#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"
#include "framework/qt/ModalWait.h"
#include "bench/GeneratedFiles.h"
#include "framework/PathDocument.h"
#include "lists/qt/FileView.h"

namespace {

using bench::Clock;
using bench::Seconds;

// One run of ls -lU with its output thrown away; -1 when it could not run.
double TimeLs(const std::string& dir) { return bench::TimeTool({"ls", "-lU", dir}, true); }

double TimeSelect(fw::CPathDocument& doc, lists::qt::CFileView& view, const std::string& dir) {
  const auto start = Clock::now();
  doc.SetPath(nullptr, dir);
  view.DetailsView()->viewport()->repaint();
  return Seconds(Clock::now() - start);
}

void MeasureDirectory(const std::string& dir, int rounds) {
  fw::CPathDocument doc;
  lists::qt::CFileView view(doc, nullptr);
  fw::qt::CModalWait wait;  // the listing runs on a worker while the window waits, as in the program
  view.SetJobRunner(&wait);
  view.resize(1000, 600);
  view.show();
  QApplication::processEvents();
  double best = 1e9, bestLs = 1e9;
  TimeSelect(doc, view, dir);  // warm the caches for both
  TimeLs(dir);
  for (int r = 0; r < rounds; ++r) {
    best = std::min(best, TimeSelect(doc, view, dir));
    bestLs = std::min(bestLs, TimeLs(dir));
  }
  const double perRow = view.RowCount() ? double(view.Rows().MemoryUse()) / view.RowCount() : 0;
  std::printf("directory: %d files\n", view.RowCount());
  std::printf("  file list fill+sort+paint: %8.1f ms\n", best * 1e3);
  std::printf("  ls -lU DIR >/dev/null:      %8.1f ms\n", bestLs * 1e3);
  if (bestLs > 0) std::printf("  ratio: %.2f (target <= 1.0, aim 0.6)\n", best / bestLs);
  std::printf("  memory per row: %.1f bytes (record %zu + row pointer %zu + long names)\n", perRow,
              sizeof(lists::CFileRecord), sizeof(void*));
}

void MeasureSorts(std::size_t n) {
  bench::GeneratedFileSystem fs(n);
  fw::CPathDocument doc(fs);
  lists::qt::CFileView view(doc, nullptr);
  fw::qt::CModalWait wait;  // the listing runs on a worker while the window waits, as in the program
  view.SetJobRunner(&wait);
  view.resize(1000, 600);
  view.show();
  QApplication::processEvents();
  const double fill = TimeSelect(doc, view, "/generated");
  std::printf("generated: %d rows, fill+sort by name %.1f ms, memory per row %.1f bytes\n",
              view.RowCount(), fill * 1e3, double(view.Rows().MemoryUse()) / view.RowCount());
  const char* titles[] = {"Dateiname", "Dateigroesse", "Attribute", "Letzte Aenderung",
                          "Hergestellt", "Letzter Zugriff"};
  for (int c = 0; c < 6; ++c) {
    for (int click = 0; click < 2; ++click) {
      const auto start = Clock::now();
      emit view.DetailsView()->header()->sectionClicked(c);
      view.DetailsView()->viewport()->repaint();
      std::printf("  click %d on %-17s %8.1f ms (target < 1000)\n", click + 1, titles[c],
                  Seconds(Clock::now() - start) * 1e3);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::StartArguments(argc, argv, "DIR [rounds] [sortRows]")) return 2;
  QApplication app(argc, argv);
  const int rounds = bench::Rounds(argc, argv);
  const std::size_t sortRows = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1000000;
  MeasureDirectory(argv[1], rounds);
  if (sortRows > 0) MeasureSorts(sortRows);
  return 0;
}
