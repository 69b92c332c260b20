// The recursive directory size scan: one record per directory of a
// subtree, with the sums of sizes and counts. The tree is walked by
// several threads at once, each taking the next directory from a shared
// stack and opening it from its parent; the figures are summed bottom-up
// once every directory has been read. Needs no window: the caller runs it
// on a thread of its own and reads the progress from any thread.
//
// A drive read from its cache is as fast as the processors allow, and a
// walker per core keeps them busy; a drive that must be read from the disk
// answers faster the more requests it has at once, so while the walkers
// sleep in their calls more than they work, more join them.
#pragma once

#include <atomic>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "lists/DirRecord.h"
#include "lists/DirRecordArena.h"
#include "platform/ScanDirectory.h"

namespace platform {
class FileSystem;
class Job;
}

namespace lists {

// The records of one scan in row order, and the blocks that hold them.
struct CDirRows {
  CDirRecordArena arena;
  std::vector<CDirRecord*> rows;
  // Some record could not be made: those directories have no row and are
  // not counted.
  bool outOfMemory = false;
};

// How many threads walk: first from the start (1 walks on the calling
// thread alone), and up to most while the walkers wait on the drive and
// directories wait to be read. A walker looks at how its thread spent the
// reading of one directory every sampleEvery at most.
struct CDirScanWalkers {
  unsigned first = 1;
  unsigned most = 1;
  std::chrono::microseconds sampleEvery{1000};

  CDirScanWalkers() = default;
  // n walkers from start to end.
  CDirScanWalkers(unsigned n) : first(n), most(n) {}
  CDirScanWalkers(unsigned start, unsigned atMost, std::chrono::microseconds every = std::chrono::milliseconds(1))
      : first(start), most(atMost), sampleEvery(every) {}
};

class CDirScan {
 public:
  using Walkers = CDirScanWalkers;

  // The scan of fs for job, which may give it up from any thread. hook is
  // called where the scan takes memory (tests throw std::bad_alloc from
  // it), on every walking thread.
  CDirScan(platform::FileSystem& fs, platform::Job& job, Walkers walkers = DefaultWalkers(),
           platform::ScanHook hook = {});
  ~CDirScan();
  CDirScan(const CDirScan&) = delete;
  CDirScan& operator=(const CDirScan&) = delete;

  // Scans path and everything beneath it; call once. The rows come in
  // visiting order: a directory before the directories beneath it, each
  // directory's subdirectories in listing order. A directory that cannot
  // be listed, the root of another mounted file system and a link to a
  // directory keep a row of zeros and are not counted by their parent.
  // Memory running out leaves rows out (outOfMemory tells); every walking
  // thread has ended when Run returns, however it returns.
  std::unique_ptr<CDirRows> Run(std::string_view path);

  // Whether the job was given up; the rows are partial then.
  bool Cancelled() const;

  // The directory read last (null before the first); safe from any thread
  // while Run goes on. Its name and parents stay valid as long as the scan.
  const CDirRecord* LastEntered() const { return m_lastEntered.load(std::memory_order_acquire); }

  // A walker per core, two at least, so that one works while the other
  // waits; up to 32 while they wait on the disk.
  static Walkers DefaultWalkers();
  static constexpr unsigned kMostWalkers = 32;

  // Walking threads started so far, the calling one included.
  unsigned WalkersStarted() const { return m_started.load(); }

 private:
  class WorkStack;
  class Walker;
  class Pool;
  friend class Walker;

  CDirRecord* NewRecord(CDirRecordSlicer& records, CDirRecord* parent, std::string_view name);
  void Walk(CDirRecord* top);
  void RunWalker();
  void WalkerFailed(std::exception_ptr failure);
  void Hook(platform::ScanStep step, std::string_view name) const {
    if (m_hook) m_hook(step, name);
  }

  platform::FileSystem& m_fs;
  platform::Job& m_job;
  Walkers m_walkers;
  platform::ScanHook m_hook;
  std::string m_path;
  std::atomic<bool> m_outOfMemory{false};
  std::atomic<const CDirRecord*> m_lastEntered{nullptr};
  std::unique_ptr<WorkStack> m_stack;
  std::unique_ptr<Pool> m_pool;
  std::atomic<unsigned> m_started{0};
  // Every walker's records, in slices taken under the lock.
  CDirRecordArena m_arena;
  std::mutex m_arenaMutex;
  std::mutex m_failureMutex;
  std::exception_ptr m_failure;  // the first thing a walker threw, other than out of memory
};

// The rows in visiting order with every figure complete: each directory's
// own figures added to its totals, and each listed directory's totals and
// subdirectories added to its parent's.
std::vector<CDirRecord*> VisitingOrder(CDirRecord* top);
void SumUpwards(const std::vector<CDirRecord*>& rows);

}  // namespace lists
