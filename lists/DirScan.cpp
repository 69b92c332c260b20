#include "lists/DirScan.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <stop_token>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/Job.h"

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
      if (m_stopped) return;  // nothing may hold a directory past the walk
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
    if (!m_stopped) m_tasks.push_back({top, nullptr});
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
    std::vector<Task> dropped;  // let go outside the lock
    {
      std::lock_guard lock(m_mutex);
      m_stopped = true;
      dropped.swap(m_tasks);
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
      try {
        Read(task);
      } catch (const std::bad_alloc&) {
        m_scan.m_outOfMemory = true;  // this directory's row keeps what it had
      }
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
    m_scan.Hook(platform::ScanStep::kOpen, record->m_pszName);
    std::unique_ptr<platform::ScanDirectory> dir =
        task.parent ? task.parent->OpenChild(record->m_pszName)
                    : m_scan.m_fs.OpenScanDirectory(m_scan.m_job, m_scan.m_path, m_scan.m_hook);
    task.parent.reset();
    if (!dir) return;
    m_current = record;
    m_last = nullptr;
    m_enter.clear();
    record->m_bListed = dir->Read(*this);
    if (!record->m_bListed || m_enter.empty()) return;
    dir->DoneReading();
    try {
      m_scan.Hook(platform::ScanStep::kPush, record->m_pszName);
      m_scan.m_stack->Push(m_enter, std::shared_ptr<platform::ScanDirectory>(std::move(dir)));
    } catch (const std::bad_alloc&) {
      m_scan.m_outOfMemory = true;  // the subdirectories keep rows of zeros
    }
  }

  CDirScan& m_scan;
  CDirRecordArena& m_arena;
  CDirRecord* m_current = nullptr;
  CDirRecord* m_last = nullptr;
  std::vector<CDirRecord*> m_enter;
};

CDirScan::CDirScan(platform::FileSystem& fs, platform::Job& job, unsigned threads, platform::ScanHook hook)
    : m_fs(fs),
      m_job(job),
      m_threads(std::max(1u, threads)),
      m_hook(std::move(hook)),
      m_stack(std::make_unique<WorkStack>()) {}

CDirScan::~CDirScan() = default;

unsigned CDirScan::DefaultThreads() {
  return std::clamp(std::thread::hardware_concurrency(), 2u, 8u);
}

bool CDirScan::Cancelled() const { return m_job.GivenUp(); }

CDirRecord* CDirScan::NewRecord(CDirRecordArena& arena, CDirRecord* parent, std::string_view name) {
  try {
    Hook(platform::ScanStep::kRecord, name);
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
  if (top != nullptr) {
    // Giving the job up wakes the walkers that wait for work.
    const std::stop_callback stop(m_job.StopToken(), [this] { m_stack->Stop(); });
    Walk(top, arenas);
  }
  for (CDirRecordArena& arena : arenas) result->arena.Adopt(std::move(arena));
  if (m_failure) std::rethrow_exception(m_failure);
  result->outOfMemory = m_outOfMemory;
  if (top == nullptr) return result;
  result->rows = VisitingOrder(top);
  SumUpwards(result->rows);
  return result;
}

void CDirScan::WalkerFailed(std::exception_ptr failure) {
  {
    std::lock_guard lock(m_failureMutex);
    if (!m_failure) m_failure = std::move(failure);
  }
  m_stack->Stop();
}

void CDirScan::Walk(CDirRecord* top, std::vector<CDirRecordArena>& arenas) {
  m_stack->PushTop(top);
  // Every helper is joined, whichever way this is left.
  struct Helpers {
    WorkStack& stack;
    std::vector<std::thread> threads;
    ~Helpers() {
      if (std::uncaught_exceptions() > 0) stack.Stop();
      for (std::thread& t : threads) t.join();
    }
  } helpers{*m_stack, {}};
  try {
    helpers.threads.reserve(m_threads - 1);
    for (unsigned i = 1; i < m_threads; ++i) {
      Hook(platform::ScanStep::kWalker, {});
      helpers.threads.emplace_back([this, &arenas, i] {
        try {
          Walker(*this, arenas[i]).Run();
        } catch (...) {
          WalkerFailed(std::current_exception());
        }
      });
    }
  } catch (const std::system_error&) {
    // fewer walkers, same result
  } catch (const std::bad_alloc&) {
    // fewer walkers, same result
  }
  try {
    Walker(*this, arenas[0]).Run();
  } catch (...) {
    WalkerFailed(std::current_exception());
  }
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
