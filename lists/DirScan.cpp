#include "lists/DirScan.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/CallWatch.h"
#include "platform/FileSystem.h"

namespace lists {

namespace {

// A directory waiting to be read, and the open parent it is opened from
// (null for the top, which is opened by its path).
struct Task {
  CDirRecord* record = nullptr;
  std::shared_ptr<platform::ScanDirectory> parent;
};

}  // namespace

// The directories still to read. A walker that finds it empty waits while
// others are still reading (they may add more); the walk is over when it
// is empty and nobody reads.
class CDirScan::WorkStack {
 public:
  void Push(const std::vector<CDirRecord*>& children, const std::shared_ptr<platform::ScanDirectory>& parent) {
    {
      std::lock_guard lock(m_mutex);
      // Last child on top: the first listed is read next, which keeps the
      // parent's descriptor open no longer than needed.
      for (auto it = children.rbegin(); it != children.rend(); ++it) m_tasks.push_back({*it, parent});
    }
    if (children.size() > 1) {
      m_ready.notify_all();
    } else {
      m_ready.notify_one();
    }
  }

  void PushTop(CDirRecord* top) {
    std::lock_guard lock(m_mutex);
    m_tasks.push_back({top, nullptr});
  }

  // The next directory to read; false when the walk is over or stopped.
  bool Pop(Task& out) {
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [this] { return m_stopped || !m_tasks.empty() || m_reading == 0; });
    if (m_stopped || m_tasks.empty()) return false;
    out = std::move(m_tasks.back());
    m_tasks.pop_back();
    ++m_reading;
    return true;
  }

  void Done() {
    bool over = false;
    {
      std::lock_guard lock(m_mutex);
      over = --m_reading == 0 && m_tasks.empty();
    }
    if (over) m_ready.notify_all();
  }

  void Stop() {
    {
      std::lock_guard lock(m_mutex);
      m_stopped = true;
      m_tasks.clear();
    }
    m_ready.notify_all();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_ready;
  std::vector<Task> m_tasks;
  int m_reading = 0;
  bool m_stopped = false;
};

// One walking thread: reads directories from the stack until the walk is
// over, making its records in an arena of its own.
class CDirScan::Walker final : public platform::ScanSink {
 public:
  Walker(CDirScan& scan, CDirRecordArena& arena) : m_scan(scan), m_arena(arena) {}

  void Run() {
    Task task;
    while (m_scan.m_stack->Pop(task)) {
      Read(task);
      task = {};
      m_scan.m_stack->Done();
    }
  }

  void File(std::uint64_t size) override {
    m_current->m_nOwnSize += size;
    ++m_current->m_nOwnFiles;
  }

  void Directory(std::string_view name, bool enter) override {
    CDirRecord* child = m_scan.NewRecord(m_arena, m_current, name);
    if (child == nullptr) return;
    (m_last == nullptr ? m_current->m_pFirstChild : m_last->m_pNextSibling) = child;
    m_last = child;
    if (!enter) return;
    try {
      m_enter.push_back(child);
    } catch (const std::bad_alloc&) {
      m_scan.m_outOfMemory = true;  // a row of zeros, not counted
    }
  }

  bool Stopped() const override { return m_scan.Cancelled(); }

 private:
  void Read(Task& task) {
    CDirRecord* record = task.record;
    m_scan.m_lastEntered.store(record, std::memory_order_release);
    std::unique_ptr<platform::ScanDirectory> dir =
        task.parent ? task.parent->OpenChild(record->m_pszName) : m_scan.m_fs.OpenScanDirectory(m_scan.m_path);
    task.parent.reset();
    if (!dir) return;
    m_current = record;
    m_last = nullptr;
    m_enter.clear();
    record->m_bListed = dir->Read(*this);
    if (!record->m_bListed || m_enter.empty()) return;
    try {
      m_scan.m_stack->Push(m_enter, std::shared_ptr<platform::ScanDirectory>(std::move(dir)));
    } catch (const std::bad_alloc&) {
      m_scan.m_outOfMemory = true;
    }
  }

  CDirScan& m_scan;
  CDirRecordArena& m_arena;
  CDirRecord* m_current = nullptr;
  CDirRecord* m_last = nullptr;
  std::vector<CDirRecord*> m_enter;
};

CDirScan::CDirScan(platform::FileSystem& fs, unsigned threads)
    : m_fs(fs), m_threads(std::max(1u, threads)), m_stack(std::make_unique<WorkStack>()) {}

CDirScan::~CDirScan() = default;

unsigned CDirScan::DefaultThreads() {
  return std::clamp(std::thread::hardware_concurrency(), 2u, 8u);
}

void CDirScan::Cancel() {
  m_cancelled = true;
  m_stack->Stop();
}

CDirRecord* CDirScan::NewRecord(CDirRecordArena& arena, CDirRecord* parent, std::string_view name) {
  try {
    if (m_hook) m_hook(name);
    return arena.NewRecord(parent, name);
  } catch (const std::bad_alloc&) {
    m_outOfMemory = true;
    return nullptr;
  }
}

std::unique_ptr<CDirRows> CDirScan::Run(std::string_view path) {
  auto result = std::make_unique<CDirRows>();
  m_path = std::string(path);
  std::vector<CDirRecordArena> arenas(m_threads);
  CDirRecord* top = NewRecord(arenas[0], nullptr, m_path);
  if (top != nullptr) Walk(top, arenas);
  for (CDirRecordArena& arena : arenas) result->arena.Adopt(std::move(arena));
  result->outOfMemory = m_outOfMemory;
  if (top == nullptr) return result;
  result->rows = VisitingOrder(top);
  SumUpwards(result->rows);
  return result;
}

void CDirScan::Walk(CDirRecord* top, std::vector<CDirRecordArena>& arenas) {
  // The walk stays on the mount of its top: while it lasts, that is what
  // it touches, for whoever waits on it and may give up.
  const platform::Touch touch(m_path);
  platform::CallWatch* watch = platform::CallWatch::OfThisThread();
  m_stack->PushTop(top);
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < m_threads; ++i) {
    try {
      helpers.emplace_back([this, &arenas, i, watch] {
        const platform::CallWatch::Scope scope(watch);
        Walker(*this, arenas[i]).Run();
      });
    } catch (const std::system_error&) {
      break;  // fewer walkers, same result
    }
  }
  Walker(*this, arenas[0]).Run();
  for (std::thread& t : helpers) t.join();
}

std::vector<CDirRecord*> VisitingOrder(CDirRecord* top) {
  std::vector<CDirRecord*> rows;
  std::vector<CDirRecord*> pending{top};
  while (!pending.empty()) {
    CDirRecord* r = pending.back();
    pending.pop_back();
    rows.push_back(r);
    if (r->m_pNextSibling != nullptr) pending.push_back(r->m_pNextSibling);
    if (r->m_pFirstChild != nullptr) pending.push_back(r->m_pFirstChild);
  }
  return rows;
}

void SumUpwards(const std::vector<CDirRecord*>& rows) {
  // Everything beneath a directory comes after it in visiting order, so
  // backwards each directory is complete before its parent takes it.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    CDirRecord& r = **it;
    r.m_nTotalSize += r.m_nOwnSize;
    r.m_nTotalFiles += r.m_nOwnFiles;
    if (!r.m_bListed || r.m_pParent == nullptr) continue;
    CDirRecord& parent = *r.m_pParent;
    parent.m_nTotalSize += r.m_nTotalSize;
    parent.m_nTotalFiles += r.m_nTotalFiles;
    parent.m_nSubdirs += 1 + r.m_nSubdirs;
  }
}

}  // namespace lists
