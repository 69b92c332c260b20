// The recursive directory size scan: one record per directory of a
// subtree, with the sums of sizes and counts. The tree is walked by
// several threads at once, each taking the next directory from a shared
// stack and opening it from its parent; the figures are summed bottom-up
// once every directory has been read. Needs no window: the caller runs it
// on a thread of its own and reads the progress from any thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lists/DirRecord.h"
#include "lists/DirRecordArena.h"

namespace platform {
class FileSystem;
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

class CDirScan {
 public:
  // threads: how many walk at once; 1 walks on the calling thread alone.
  explicit CDirScan(platform::FileSystem& fs, unsigned threads = DefaultThreads());
  ~CDirScan();
  CDirScan(const CDirScan&) = delete;
  CDirScan& operator=(const CDirScan&) = delete;

  // Scans path and everything beneath it; call once. The rows come in
  // visiting order: a directory before the directories beneath it, each
  // directory's subdirectories in listing order. A directory that cannot
  // be listed, the root of another mounted file system and a link to a
  // directory keep a row of zeros and are not counted by their parent.
  std::unique_ptr<CDirRows> Run(std::string_view path);

  // Ends a running scan early, from any thread; its rows are then partial.
  void Cancel();
  bool Cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

  // The directory read last (null before the first); safe from any thread
  // while Run goes on. Its name and parents stay valid as long as the scan.
  const CDirRecord* LastEntered() const { return m_lastEntered.load(std::memory_order_acquire); }

  // Called with each directory's name before its record is made; a test
  // throws std::bad_alloc here to stand for memory running out. Called from
  // every walking thread.
  void SetAllocationHook(std::function<void(std::string_view name)> hook) { m_hook = std::move(hook); }

  // Two walkers at least, so that one waits on the disk while the other
  // works; more where the machine has the cores.
  static unsigned DefaultThreads();

 private:
  class WorkStack;
  class Walker;
  friend class Walker;

  CDirRecord* NewRecord(CDirRecordArena& arena, CDirRecord* parent, std::string_view name);
  void Walk(CDirRecord* top, std::vector<CDirRecordArena>& arenas);

  platform::FileSystem& m_fs;
  unsigned m_threads;
  std::string m_path;
  std::atomic<bool> m_cancelled{false};
  std::atomic<bool> m_outOfMemory{false};
  std::atomic<const CDirRecord*> m_lastEntered{nullptr};
  std::function<void(std::string_view)> m_hook;
  std::unique_ptr<WorkStack> m_stack;
};

// The rows in visiting order with every figure complete: each directory's
// own figures added to its totals, and each listed directory's totals and
// subdirectories added to its parent's.
std::vector<CDirRecord*> VisitingOrder(CDirRecord* top);
void SumUpwards(const std::vector<CDirRecord*>& rows);

}  // namespace lists
