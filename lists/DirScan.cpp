#include "lists/DirScan.h"

#include <algorithm>
#include <chrono>
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

  // Directories that no walker reads yet.
  std::size_t Pending() {
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
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

// The walking threads besides the calling one. Any walker may start
// another while the walk goes on; once closed, none starts and every one
// started is joined.
class CDirScan::Pool {
 public:
  explicit Pool(CDirScan& scan) : m_scan(scan) {}
  ~Pool() { JoinAll(); }

  // One more walker; false when the most are walking, the pool is closed or
  // no thread can be had (the others carry on alone then).
  bool Add() {
    std::lock_guard lock(m_mutex);
    if (m_closed || m_scan.m_started.load() >= m_scan.m_walkers.most) return false;
    try {
      m_scan.Hook(platform::ScanStep::kWalker, {});
      if (m_threads.size() == m_threads.capacity()) m_threads.reserve(CDirScan::kMostWalkers);
      m_threads.emplace_back([this] { m_scan.RunWalker(); });
    } catch (const std::system_error&) {
      return false;
    } catch (const std::bad_alloc&) {
      return false;
    }
    ++m_scan.m_started;
    return true;
  }

  void JoinAll() {
    std::vector<std::thread> threads;
    {
      std::lock_guard lock(m_mutex);
      m_closed = true;
      threads.swap(m_threads);
    }
    for (std::thread& t : threads) t.join();
  }

 private:
  CDirScan& m_scan;
  std::mutex m_mutex;
  std::vector<std::thread> m_threads;
  bool m_closed = false;
};

// One walking thread: reads directories from the stack until the walk is
// over, making its records in a slice of the scan's arena of its own. Now
// and then it looks at how its thread spent the reading of a directory:
// mostly asleep in its calls while directories wait, it starts another
// walker.
class CDirScan::Walker final : public platform::ScanSink {
 public:
  explicit Walker(CDirScan& scan) : m_scan(scan), m_records(scan.m_arena, scan.m_arenaMutex) {}

  void Run() {
    Task task;
    while (m_scan.m_stack->Pop(task)) {
      const bool sample = m_scan.m_started.load() < m_scan.m_walkers.most && SampleDue();
      platform::ThreadTimes before;
      const bool measured = sample && m_scan.m_fs.CallingThreadTimes(before);
      const auto start = Clock::now();
      try {
        Read(task);
      } catch (const std::bad_alloc&) {
        m_scan.m_outOfMemory = true;  // this directory's row keeps what it had
      }
      task = {};
      if (measured && WaitedOnTheDrive(before, Clock::now() - start) && m_scan.m_stack->Pending() > 0) {
        m_scan.m_pool->Add();
      }
      m_scan.m_stack->Done();
    }
  }

  void File(std::uint64_t size) override {
    m_current->m_nOwnSize += size;
    ++m_current->m_nOwnFiles;
  }

  void Directory(std::string_view name, bool enter) override {
    CDirRecord* child = m_scan.NewRecord(m_records, m_current, name);
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
  using Clock = std::chrono::steady_clock;

  bool SampleDue() {
    const auto now = Clock::now();
    if (now - m_lastSample < m_scan.m_walkers.sampleEvery) return false;
    m_lastSample = now;
    return true;
  }

  // Slept in its calls more than once (a lock met now and then is not a
  // drive), and worked less than half the time it took.
  bool WaitedOnTheDrive(const platform::ThreadTimes& before, Clock::duration took) const {
    platform::ThreadTimes after;
    if (!m_scan.m_fs.CallingThreadTimes(after) || after.sleeps < before.sleeps + 2) return false;
    const auto worked = after.cpuNanos - before.cpuNanos;
    return 2 * worked < static_cast<std::uint64_t>(std::chrono::nanoseconds(took).count());
  }

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
  CDirRecordSlicer m_records;
  Clock::time_point m_lastSample{};
  CDirRecord* m_current = nullptr;
  CDirRecord* m_last = nullptr;
  std::vector<CDirRecord*> m_enter;
};

CDirScan::CDirScan(platform::FileSystem& fs, platform::Job& job, Walkers walkers, platform::ScanHook hook)
    : m_fs(fs),
      m_job(job),
      m_walkers(walkers),
      m_hook(std::move(hook)),
      m_stack(std::make_unique<WorkStack>()),
      m_pool(std::make_unique<Pool>(*this)) {
  m_walkers.first = std::clamp(m_walkers.first, 1u, kMostWalkers);
  m_walkers.most = std::clamp(m_walkers.most, m_walkers.first, kMostWalkers);
}

CDirScan::~CDirScan() = default;

CDirScan::Walkers CDirScan::DefaultWalkers() {
  return {std::clamp(std::thread::hardware_concurrency(), 2u, 8u), kMostWalkers};
}

bool CDirScan::Cancelled() const { return m_job.GivenUp(); }

CDirRecord* CDirScan::NewRecord(CDirRecordSlicer& records, CDirRecord* parent, std::string_view name) {
  try {
    Hook(platform::ScanStep::kRecord, name);
    return records.NewRecord(parent, name);
  } catch (const std::bad_alloc&) {
    m_outOfMemory = true;
    return nullptr;
  }
}

std::unique_ptr<CDirRows> CDirScan::Run(std::string_view path) {
  auto result = std::make_unique<CDirRows>();
  m_path = std::string(path);
  CDirRecordSlicer records(m_arena, m_arenaMutex);
  CDirRecord* top = NewRecord(records, nullptr, m_path);
  if (top != nullptr) {
    // Giving the job up wakes the walkers that wait for work.
    const std::stop_callback stop(m_job.StopToken(), [this] { m_stack->Stop(); });
    Walk(top);
  }
  result->arena = std::move(m_arena);
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

void CDirScan::Walk(CDirRecord* top) {
  m_stack->PushTop(top);
  // Every walker is joined, whichever way this is left.
  struct Joined {
    WorkStack& stack;
    Pool& pool;
    ~Joined() {
      if (std::uncaught_exceptions() > 0) stack.Stop();
      pool.JoinAll();
    }
  } joined{*m_stack, *m_pool};
  m_started = 1;
  for (unsigned i = 1; i < m_walkers.first; ++i) m_pool->Add();
  RunWalker();
}

void CDirScan::RunWalker() {
  try {
    Walker(*this).Run();
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
