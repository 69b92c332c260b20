// Times the directory-information scan of one directory exactly as the
// view runs it (real frame offscreen: the list model, the status text, the
// final sort), beside du, ncdu and gdu where they are installed, and
// measures the memory each directory row holds.
//
//   dirscan_bench DIR [rounds]
//
// Every tool runs once first so that all start from a warm cache; then each
// runs `rounds` times and its best time counts.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"
#include "lists/DirScan.h"
#include "lists/DirView.h"
#include "platform/FileSystem.h"
#include "shell/KolbrinApp.h"
#include "shell/KolbrinDoc.h"
#include "shell/MainFrame.h"
#include "shell/SettingsProfile.h"

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

// The bare scan without the view, to see what the list and status cost.
double TimeCoreScan(const std::string& dir) {
  std::vector<std::unique_ptr<lists::CDirRecord>> rows;
  lists::DirScanCallbacks callbacks;
  callbacks.insertRow = [&rows](std::unique_ptr<lists::CDirRecord> r) { rows.push_back(std::move(r)); };
  const auto start = Clock::now();
  lists::CDirScan(platform::FileSystem::Native(), std::move(callbacks)).Run(dir);
  return Seconds(Clock::now() - start);
}

// Mode on (scan and sort, as the command does), then off again.
double TimeScan(lists::CDirView& view) {
  const auto start = Clock::now();
  view.OnViewDirScan();
  const auto end = Clock::now();
  view.OnViewDirScan();
  return Seconds(end - start);
}

struct RowMemory {
  int rows = 0;
  double requested = 0, chunks = 0, pathChunks = 0;
};

// Heap held by the rows of one scan, per row; the path text's own blocks
// (paths too long for the string's inline buffer) are counted apart.
RowMemory MeasureRows(lists::CDirView& view) {
  RowMemory m;
  const long long requested0 = g_requested, chunks0 = g_chunks;
  view.OnViewDirScan();
  m.rows = view.RowCount();
  const double n = std::max(1, m.rows);
  m.requested = static_cast<double>(g_requested - requested0) / n;
  m.chunks = static_cast<double>(g_chunks - chunks0) / n;
  long long paths = 0;
  for (int r = 0; r < m.rows; ++r) {
    const std::string& p = view.Record(r).m_strDirPath;
    if (p.size() > 15) paths += ChunkOf(p.capacity() + 1);
  }
  m.pathChunks = static_cast<double>(paths) / n;
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
  QTemporaryDir profileDir;
  auto app = std::make_unique<shell::CKolbrinApp>(
      std::make_unique<shell::SettingsProfile>(profileDir.filePath(QStringLiteral("bench.ini"))));
  if (!app->InitInstance(true)) return 1;
  QApplication::processEvents();
  app->Document()->m_strPath = dir;
  lists::CDirView& view = *app->MainFrame()->DirView();

  // Rounds interleave the tools, so that a busy machine weighs on all alike.
  const std::vector<std::vector<std::string>> tools = {
      {"du", "-s", "--apparent-size", "-B1", dir}, {"ncdu", "-o", "/dev/null", dir}, {"gdu", "-n", "-a", dir}};
  std::vector<double> best(tools.size(), 1e9);
  for (std::size_t t = 0; t < tools.size(); ++t) {
    if (TimeTool(tools[t]) < 0) best[t] = -1.0;  // not installed (or failed): skipped
  }
  TimeScan(view);  // warm cache, warm allocator
  double scan = 1e9, core = 1e9;
  for (int i = 0; i < rounds; ++i) {
    scan = std::min(scan, TimeScan(view));
    core = std::min(core, TimeCoreScan(dir));
    for (std::size_t t = 0; t < tools.size(); ++t) {
      if (best[t] >= 0) best[t] = std::min(best[t], TimeTool(tools[t]));
    }
  }
  const double du = best[0], ncdu = best[1], gdu = best[2];
  const RowMemory mem = MeasureRows(view);
  if (du <= 0) {
    std::fprintf(stderr, "du could not run\n");
    return 1;
  }
  std::printf("directories: %d rows\n", mem.rows);
  PrintRatio("scan+view", scan, du, "(target 1.00 or less, aim 0.80)");
  PrintRatio("scan only", core, du, "(the scan without list and status text)");
  PrintRatio("du", du, du, "(-s --apparent-size -B1)");
  PrintRatio("ncdu", ncdu, du, "(-o /dev/null)");
  PrintRatio("gdu", gdu, du, "(-n -a)");
  std::printf("memory/row: %6.1f B allocated (%.1f B requested), of which path text %.1f B;"
              " %.1f B without the path text (target under 150)\n",
              mem.chunks, mem.requested, mem.pathChunks, mem.chunks - mem.pathChunks);
  app->ExitInstance();
  return 0;
}
