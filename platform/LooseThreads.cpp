#include "platform/LooseThreads.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace platform::loose {

namespace {

struct Kept {
  std::thread thread;
  std::shared_ptr<std::atomic<bool>> ended;
};

struct Registry {
  std::mutex mutex;
  std::vector<Kept> threads;
};

Registry& Threads() {
  // Never destroyed: a thread may still hang in a drive when the program ends.
  static auto* registry = new Registry;
  return *registry;
}

}  // namespace

void Start(std::function<void()> work) {
  JoinEnded();
  auto ended = std::make_shared<std::atomic<bool>>(false);
  std::thread thread([work = std::move(work), ended]() mutable {
    work();
    work = nullptr;  // what the work holds goes before it counts as ended
    ended->store(true);
  });
  Registry& all = Threads();
  std::lock_guard lock(all.mutex);
  all.threads.push_back({std::move(thread), std::move(ended)});
}

std::size_t JoinEnded() {
  Registry& all = Threads();
  std::vector<std::thread> done;
  std::size_t running = 0;
  {
    std::lock_guard lock(all.mutex);
    std::erase_if(all.threads, [&done](Kept& kept) {
      if (!kept.ended->load()) return false;
      done.push_back(std::move(kept.thread));
      return true;
    });
    running = all.threads.size();
  }
  for (std::thread& thread : done) thread.join();
  return running;
}

}  // namespace platform::loose
