// Times the directory-information scan of one directory exactly as the
// directory pane runs it (offscreen: the worker threads, the wait, the
// final sort, the list model) beside du, ncdu and gdu
// where they are installed and a bare two-thread walk, and measures the
// memory each directory row holds and the longest time the window went
// without handling events during the scan.
//
//   dirscan_bench DIR [rounds]
//
// Every tool runs once first so that all start from a warm cache; then each
// runs `rounds` times and its best time counts.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/BareWalk.h"
#include "bench/BenchUtil.h"
#include "framework/qt/ModalWait.h"
#include "framework/PathDocument.h"
#include "lists/qt/DirView.h"
#include "platform/FileSystem.h"

// Live heap bytes, counted by the replaced operators below: requested
// bytes, and the bytes a typical malloc hands out for them (8 bytes of
// header, 16-byte steps, 32 at least).
namespace {
std::atomic<long long> g_requested{0};
std::atomic<long long> g_chunks{0};
constexpr std::size_t kHeader = 16;
long long ChunkOf(std::size_t n) { return static_cast<long long>(std::max<std::size_t>(32, (n + 8 + 15) & ~std::size_t{15})); }

void* CountedAlloc(std::size_t n) {
  auto* p = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (p == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(p) = n;
  g_requested += static_cast<long long>(n);
  g_chunks += ChunkOf(n);
  return p + kHeader;
}
void CountedFree(void* q) noexcept {
  if (q == nullptr) return;
  auto* p = static_cast<unsigned char*>(q) - kHeader;
  const std::size_t n = *reinterpret_cast<std::size_t*>(p);
  g_requested -= static_cast<long long>(n);
  g_chunks -= ChunkOf(n);
  std::free(p);
}
}  // namespace

void* operator new(std::size_t n) { return CountedAlloc(n); }
void* operator new[](std::size_t n) { return CountedAlloc(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return CountedAlloc(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { CountedFree(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { CountedFree(p); }

namespace {

using bench::Clock;
using bench::Seconds;
using bench::TimeTool;

struct ScanRun {
  double seconds = 0;
  double longestGap = 0;  // seconds without an event handled
};

// Mode on (scan and sort, as the command does), then off again; a timer
// that should fire every millisecond tells how long the window went deaf.
ScanRun TimeScan(lists::qt::CDirView& view) {
  ScanRun run;
  QElapsedTimer sinceTick;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    run.longestGap = std::max(run.longestGap, static_cast<double>(sinceTick.nsecsElapsed()) * 1e-9);
    sinceTick.restart();
  });
  tick.start(1);
  sinceTick.start();
  const auto start = Clock::now();
  view.OnViewDirScan();
  run.seconds = Seconds(Clock::now() - start);
  run.longestGap = std::max(run.longestGap, static_cast<double>(sinceTick.nsecsElapsed()) * 1e-9);
  tick.stop();
  view.OnViewDirScan();
  return run;
}

double TimeBareWalk(const std::string& dir) {
  const auto start = Clock::now();
  bench::BareWalk::Run(dir, 2);
  return Seconds(Clock::now() - start);
}

struct RowMemory {
  int rows = 0;
  double requested = 0, chunks = 0;
};

// Heap held by the rows of one scan, per row: records, names, the row
// order, everything the view keeps.
RowMemory MeasureRows(lists::qt::CDirView& view) {
  RowMemory m;
  const long long requested0 = g_requested, chunks0 = g_chunks;
  view.OnViewDirScan();
  m.rows = view.RowCount();
  const double n = std::max(1, m.rows);
  m.requested = static_cast<double>(g_requested - requested0) / n;
  m.chunks = static_cast<double>(g_chunks - chunks0) / n;
  view.OnViewDirScan();
  return m;
}

void PrintRatio(const char* name, double t, double du, const char* note) {
  if (t < 0) {
    std::printf("%-10s: not installed, skipped\n", name);
    return;
  }
  std::printf("%-10s: %8.1f ms  ratio to du %5.2f  %s\n", name, t * 1e3, t / du, note);
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::StartArguments(argc, argv, "DIR [rounds]")) return 2;
  QApplication qapp(argc, argv);
  const std::string dir = argv[1];
  const int rounds = bench::Rounds(argc, argv);
  fw::CPathDocument doc;
  doc.SetPath(nullptr, dir);
  lists::qt::CDirView view(doc, nullptr);
  fw::qt::CModalWait wait;  // the scan runs on its walkers while the window waits, as in the program
  view.SetJobRunner(&wait);
  view.resize(1000, 600);
  view.show();
  QApplication::processEvents();

  // Rounds interleave the tools, so that a busy machine weighs on all alike.
  const std::vector<std::vector<std::string>> tools = {{"du", "-s", "--apparent-size", "-B1", dir},
                                                       {"ncdu", "-o", "/dev/null", dir},
                                                       {"gdu", "-n", "-p", "-a", dir}};
  std::vector<double> best(tools.size(), 1e9);
  for (std::size_t t = 0; t < tools.size(); ++t) {
    if (TimeTool(tools[t]) < 0) best[t] = -1.0;  // not installed (or failed): skipped
  }
  TimeScan(view);  // warm cache, warm allocator
  ScanRun scan{1e9, 0};
  double bare = 1e9;
  for (int i = 0; i < rounds; ++i) {
    const ScanRun run = TimeScan(view);
    scan.seconds = std::min(scan.seconds, run.seconds);
    scan.longestGap = std::max(scan.longestGap, run.longestGap);
    bare = std::min(bare, TimeBareWalk(dir));
    for (std::size_t t = 0; t < tools.size(); ++t) {
      if (best[t] >= 0) best[t] = std::min(best[t], TimeTool(tools[t]));
    }
  }
  const double du = best[0];
  const RowMemory mem = MeasureRows(view);
  if (du <= 0) {
    std::fprintf(stderr, "du could not run\n");
    return 1;
  }
  const lists::CDirScan::Walkers walkers = lists::CDirScan::DefaultWalkers();
  std::printf("directories: %d rows, %u walking threads at first, up to %u\n", mem.rows, walkers.first, walkers.most);
  PrintRatio("scan+view", scan.seconds, du, "(target 0.55 or less on the 200k tree)");
  PrintRatio("bare walk", bare, du, "(two threads, getdents64 + statx, nothing kept)");
  std::printf("scan/bare : %8.2f       (target 1.15 or less)\n", scan.seconds / bare);
  PrintRatio("du", du, du, "(-s --apparent-size -B1)");
  PrintRatio("ncdu", best[1], du, "(-o /dev/null)");
  PrintRatio("gdu", best[2], du, "(-n -p -a)");
  std::printf("memory/row: %6.1f B allocated (%.1f B requested)  (target 150 or less, aim 100)\n",
              mem.chunks, mem.requested);
  std::printf("longest gap in event handling during a scan: %.1f ms  (target under 100)\n",
              scan.longestGap * 1e3);
  return 0;
}
