// Times the first look at a directory that is not cached: the page cache,
// dentries and inodes are dropped before every run of every contender.
//
//   cold_bench scan DIR [rounds]    directory information of DIR
//   cold_bench list DIR [rounds]    the file list of DIR
//   cold_bench expand DIR [rounds]  the tree expanding DIR
//
// The program runs through its real panes offscreen, beside the standard
// tools (du, ncdu and gdu; ls -lU; find) and bare walks, listings and
// probes with 2, 8 and 32 threads. Rounds interleave the contenders; the
// best and the median of each count. Needs root to drop the caches; says
// so and measures nothing otherwise.
#include <QApplication>
#include <QTreeView>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/BareList.h"
#include "bench/BareWalk.h"
#include "bench/BenchUtil.h"
#include "framework/qt/ModalWait.h"
#include "bench/ColdCache.h"
#include "bench/OneDrive.h"
#include "framework/JobRunner.h"
#include "framework/PathDocument.h"
#include "lists/DirScan.h"
#include "lists/qt/DirView.h"
#include "lists/qt/FileView.h"
#include "tree/qt/DriveTreeModel.h"
#include "tree/qt/DriveView.h"

namespace {

using bench::Clock;
using bench::Seconds;
using Tool = std::vector<std::string>;

struct Contender {
  std::string name;
  std::function<double()> run;  // seconds, or -1 when it cannot run
  std::vector<double> times = {};
};

template <class F>
double Timed(F&& f) {
  const auto start = Clock::now();
  f();
  return Seconds(Clock::now() - start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

// Descriptors open in this process now.
int OpenDescriptors() {
  const std::filesystem::directory_iterator it("/proc/self/fd");
  return static_cast<int>(std::distance(begin(it), end(it)));
}

// One cold core scan on its own, for what the timed runs do not tell: how
// many walkers it started and the most descriptors open at once.
void ScanFacts(const std::string& dir) {
  bench::DropCaches();
  const int before = OpenDescriptors();
  std::atomic<bool> done{false};
  std::atomic<int> peak{before};
  std::thread sampler([&] {
    while (!done) {
      peak = std::max(peak.load(), OpenDescriptors());
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
  });
  platform::Job job(platform::FileSystem::Native());
  lists::CDirScan scan(platform::FileSystem::Native(), job);
  const auto rows = scan.Run(dir);
  done = true;
  sampler.join();
  std::printf("core scan: %zu rows, %u walkers started (%u at first), at most %d descriptors beyond the %d open"
              " before\n",
              rows->rows.size(), scan.WalkersStarted(), lists::CDirScan::DefaultWalkers().first, peak - before, before);
}

void Report(std::vector<Contender>& contenders, const char* reference, const char* program) {
  const auto find = [&](const std::string& name) -> Contender* {
    for (Contender& c : contenders)
      if (c.name == name) return &c;
    return nullptr;
  };
  const Contender* ref = find(reference);
  const Contender* prog = find(program);
  const double refBest = ref && !ref->times.empty() ? *std::min_element(ref->times.begin(), ref->times.end()) : -1;
  double bestBare = 1e9;
  for (const Contender& c : contenders)
    if (c.name.starts_with("bare") && !c.times.empty())
      bestBare = std::min(bestBare, *std::min_element(c.times.begin(), c.times.end()));
  for (const Contender& c : contenders) {
    if (c.times.empty()) {
      std::printf("%-22s: not installed or failed, skipped\n", c.name.c_str());
      continue;
    }
    const double best = *std::min_element(c.times.begin(), c.times.end());
    std::printf("%-22s: best %8.1f ms  median %8.1f ms  ratio to %s %5.2f  to best bare %5.2f\n", c.name.c_str(),
                best * 1e3, Median(c.times) * 1e3, reference, refBest > 0 ? best / refBest : -1, best / bestBare);
  }
  if (prog && !prog->times.empty()) {
    const double best = *std::min_element(prog->times.begin(), prog->times.end());
    for (const Contender& c : contenders) {
      if (&c == prog || c.name.starts_with("bare") || c.times.empty()) continue;
      const double other = *std::min_element(c.times.begin(), c.times.end());
      std::printf("  %s ahead of %s: %s\n", program, c.name.c_str(), best < other ? "yes" : "NO");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s scan|list|expand DIR [rounds]\n", argv[0]);
    return 2;
  }
  if (!bench::CanDropCaches()) {
    std::printf("cold runs need root, to drop the page cache before each run: skipped\n");
    return 0;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::string mode = argv[1];
  const std::string dir = argv[2];
  const int rounds = bench::Rounds(argc, argv, 3);
  std::vector<Contender> contenders;
  std::vector<Tool> tools;
  const auto addTool = [&](const std::string& name, Tool tool) {
    tools.push_back(tool);
    contenders.push_back({name, [tool] { return bench::TimeTool(tool); }});
  };
  const char* reference = "";
  const char* program = "";
  // The panes live for the whole run; each is made once.
  fw::CPathDocument doc;
  fw::qt::CModalWait wait;  // the work runs on workers while the window waits, as in the program
  std::unique_ptr<lists::qt::CDirView> dirView;
  std::unique_ptr<lists::qt::CFileView> fileView;
  bench::OneDriveFileSystem oneDrive(dir.back() == '/' ? dir : dir + '/');
  fw::CPathDocument treeDoc(oneDrive);
  std::unique_ptr<tree::qt::CDriveView> treeView;
  if (mode == "scan") {
    reference = "du";
    program = "kolbrin scan";
    doc.SetPath(nullptr, dir);
    dirView = std::make_unique<lists::qt::CDirView>(doc, nullptr);
    dirView->SetJobRunner(&wait);
    dirView->show();
    contenders.push_back({program, [&] {
                            return Timed([&] {
                              dirView->OnViewDirScan();  // on: scans, sorts and shows
                              dirView->OnViewDirScan();  // off again
                            });
                          }});
    addTool("du", {"du", "-s", "--apparent-size", "-B1", dir});
    addTool("ncdu", {"ncdu", "-o", "/dev/null", dir});
    addTool("gdu", {"gdu", "-n", "-p", "-a", dir});
    for (int t : {2, 8, 32})
      contenders.push_back({"bare walk " + std::to_string(t), [&dir, t] {
        return Timed([&] { bench::BareWalk::Run(dir, t); });
      }});
  } else if (mode == "list") {
    reference = "ls -lU";
    program = "kolbrin file list";
    fileView = std::make_unique<lists::qt::CFileView>(doc, nullptr);
    fileView->SetJobRunner(&wait);
    fileView->show();
    contenders.push_back({program, [&] {
                            return Timed([&] {
                              doc.SetPath(nullptr, dir);
                              fileView->DetailsView()->viewport()->repaint();
                            });
                          }});
    addTool("ls -lU", {"ls", "-lU", dir});
    for (int t : {1, 2, 8, 32})
      contenders.push_back({"bare listing " + std::to_string(t), [&dir, t] {
        return Timed([&] { bench::BareList::Files(dir, t); });
      }});
  } else if (mode == "expand") {
    reference = "find";
    program = "kolbrin expand";
    treeView = std::make_unique<tree::qt::CDriveView>(treeDoc, wait, nullptr);
    treeView->show();
    QApplication::processEvents();
    contenders.push_back({program, [&] {
                            const QModelIndex drive = treeView->Model()->index(0, 0);
                            const double t = Timed([&] {
                              treeView->ExpandItem(drive);
                              treeView->viewport()->repaint();
                            });
                            treeView->CollapseItem(drive);
                            return t;
                          }});
    addTool("find", {"find", dir, "-mindepth", "1", "-maxdepth", "2", "-type", "d"});
    for (int t : {1, 2, 8, 32})
      contenders.push_back({"bare probes " + std::to_string(t), [&dir, t] {
        return Timed([&] { bench::BareList::Probes(dir, t); });
      }});
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  for (int r = 0; r < rounds; ++r) {
    for (Contender& c : contenders) {
      if (!bench::DropCaches(tools)) {
        std::fprintf(stderr, "the page cache could not be dropped\n");
        return 1;
      }
      const double t = c.run();
      if (t >= 0) c.times.push_back(t);
    }
  }
  std::printf("cold %s of %s, %d rounds, caches dropped before every run\n", mode.c_str(), dir.c_str(), rounds);
  Report(contenders, reference, program);
  if (mode == "scan") ScanFacts(dir);
  return 0;
}
