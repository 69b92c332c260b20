// A few threads that share the items of one piece of work after another
// with the thread that owns them: the metadata calls of a long listing, the
// probes of many subdirectories. Calls that wait on a disk go faster the
// more of them are under way at once; calls answered from the cache go
// as fast as the cores allow.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace platform {

class WorkCrew {
 public:
  // threads in all, the owner's included; 1 does everything on the owner.
  explicit WorkCrew(unsigned threads) : m_threads(threads < 1 ? 1 : threads) {}
  // Joins the helpers.
  ~WorkCrew();
  WorkCrew(const WorkCrew&) = delete;
  WorkCrew& operator=(const WorkCrew&) = delete;

  // Calls work(i) for every i below count, on the calling thread and the
  // helpers, and returns once every call has returned. Helpers start with
  // the first run, one for every eight items at most; one that cannot be
  // started leaves its share to the others. Once stop is requested no further item starts (the rest stay
  // undone). What a call throws stops the other items and is thrown here,
  // after all have returned.
  void Run(std::size_t count, const std::function<void(std::size_t)>& work, std::stop_token stop = {});

  // Threads that share one listing's calls: enough to keep a disk's queue
  // fed while nothing is cached. Calls answered from the cache are short
  // and few threads run at once then, whatever their number.
  static unsigned ForListing() { return 32; }

 private:
  void Start(std::size_t count);
  void Help();
  void Share();

  const unsigned m_threads;
  std::vector<std::thread> m_helpers;
  bool m_started = false;

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_done;
  // The run under way, set under the lock before the helpers are woken.
  const std::function<void(std::size_t)>* m_work = nullptr;
  std::size_t m_count = 0;
  std::size_t m_chunk = 1;
  std::stop_token m_stop;
  std::size_t m_next = 0;  // the next item, taken under the lock
  unsigned m_busy = 0;     // helpers not done with this run
  unsigned long m_run = 0;
  bool m_closing = false;
  std::exception_ptr m_failure;
};

}  // namespace platform
