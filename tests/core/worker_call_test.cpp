// A job on a worker thread: waited for, asked to stop, and given up on,
// after which it ends on its own and lets go of what it owns.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "framework/WorkerCall.h"

namespace {

using namespace std::chrono_literals;

// Holds a job until the test opens it.
struct Latch {
  std::mutex mutex;
  std::condition_variable opened;
  bool open = false;
  void Open() {
    {
      std::lock_guard lock(mutex);
      open = true;
    }
    opened.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex);
    opened.wait(lock, [this] { return open; });
  }
};

TEST(WorkerCall, WaitedForCancelledAndGivenUp) {
  {
    auto result = std::make_shared<int>(0);
    fw::CWorkerCall call([result] { *result = 42; });
    ASSERT_TRUE(call.WaitFor(10s));
    EXPECT_EQ(*result, 42);
  }
  {
    auto stop = std::make_shared<std::atomic<bool>>(false);
    fw::CWorkerCall call([stop] { while (!*stop) std::this_thread::yield(); }, [stop] { *stop = true; });
    EXPECT_FALSE(call.WaitFor(20ms));
    call.Cancel();
    EXPECT_TRUE(call.WaitFor(10s));
  }
  auto latch = std::make_shared<Latch>();
  std::weak_ptr<Latch> owned = latch;
  bool cancelAsked = false;
  {
    fw::CWorkerCall call([latch] { latch->Wait(); }, [&cancelAsked] { cancelAsked = true; });
    EXPECT_FALSE(call.WaitFor(20ms));
  }  // given up while the job still waits
  EXPECT_TRUE(cancelAsked);
  EXPECT_GE(fw::CWorkerCall::Running(), 1);
  std::shared_ptr<Latch> keep = owned.lock();
  latch.reset();
  keep->Open();
  keep.reset();
  ASSERT_TRUE(fw::CWorkerCall::WaitForAll(10s));
  EXPECT_TRUE(owned.expired());  // the job let go of what it held
  EXPECT_EQ(fw::CWorkerCall::Running(), 0);
}

}  // namespace
