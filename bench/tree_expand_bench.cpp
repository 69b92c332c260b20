// Times the drive tree expanding one directory with many subdirectories,
// through the real view offscreen, beside find listing the same two levels.
//
//   tree_expand_bench DIR [rounds]
//
// DIR is shown as the only drive (removable, so nothing is read at start).
// Each round expands it (one full listing plus one probe per subdirectory,
// the layout and a paint included) and closes it again; find runs as
// "find DIR -mindepth 1 -maxdepth 2 -type d". The best round of each counts.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"
#include "framework/qt/ModalWait.h"
#include "bench/OneDrive.h"
#include "framework/JobRunner.h"
#include "framework/PathDocument.h"
#include "tree/qt/DriveTreeModel.h"
#include "tree/qt/DriveView.h"

namespace {

using bench::Clock;
using bench::Seconds;

// One run of find with its output thrown away; -1 when it could not run.
double TimeFind(const std::string& dir) {
  return bench::TimeTool({"find", dir, "-mindepth", "1", "-maxdepth", "2", "-type", "d"}, true);
}

// One expansion through the view, laid out and painted; returns the time
// and the number of items it listed, and the time of closing it again.
double TimeExpand(tree::qt::CDriveView& view, int& items, double& collapse) {
  const QModelIndex drive = view.Model()->index(0, 0);
  const auto start = Clock::now();
  view.ExpandItem(drive);
  view.viewport()->repaint();
  QApplication::processEvents();
  const auto end = Clock::now();
  items = view.Model()->rowCount(drive);
  const auto closing = Clock::now();
  view.CollapseItem(drive);
  view.viewport()->repaint();
  QApplication::processEvents();
  collapse = Seconds(Clock::now() - closing);
  return Seconds(end - start);
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::StartArguments(argc, argv, "DIR [rounds]")) return 2;
  QApplication app(argc, argv);
  std::string dir = argv[1];
  const int rounds = bench::Rounds(argc, argv);
  bench::OneDriveFileSystem fs(dir.back() == '/' ? dir : dir + '/');
  fw::CPathDocument doc(fs);
  fw::qt::CModalWait wait;  // listings and probes run on a worker while the window waits, as in the program
  tree::qt::CDriveView view(doc, wait, nullptr);
  view.resize(400, 800);
  view.show();
  QApplication::processEvents();

  double bestTree = 1e9;
  double bestFind = 1e9;
  double bestCollapse = 1e9;
  int items = 0;
  TimeFind(dir);  // both start from a warm cache
  for (int i = 0; i < rounds; ++i) {
    double collapse = 0;
    bestTree = std::min(bestTree, TimeExpand(view, items, collapse));
    bestCollapse = std::min(bestCollapse, collapse);
    const double find = TimeFind(dir);
    if (find < 0) {
      std::fprintf(stderr, "find could not run\n");
      return 1;
    }
    bestFind = std::min(bestFind, find);
  }
  std::printf("tree expand: %8.1f ms  (%d subdirectories listed and probed)\n", bestTree * 1e3, items);
  std::printf("find       : %8.1f ms  (-mindepth 1 -maxdepth 2 -type d)\n", bestFind * 1e3);
  std::printf("collapse   : %8.1f ms  (not compared)\n", bestCollapse * 1e3);
  std::printf("ratio      : %8.2f  (target: 2.00 or less)\n", bestTree / bestFind);
  return 0;
}
