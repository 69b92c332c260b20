// A job on a worker thread: waited for, asked to stop, and given up on,
// after which it ends on its own and lets go of what it owns.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "framework/WorkerCall.h"

namespace {

using namespace std::chrono_literals;

TEST(WorkerCall, WaitedForCancelledAndGivenUp) {
  {
    auto result = std::make_shared<int>(0);
    fw::CWorkerCall call([result] { *result = 42; });
    ASSERT_TRUE(call.WaitFor(10s));
    EXPECT_TRUE(call.Done());
    EXPECT_EQ(*result, 42);
  }
  {
    auto stop = std::make_shared<std::atomic<bool>>(false);
    fw::CWorkerCall call([stop] { while (!*stop) std::this_thread::yield(); }, [stop] { *stop = true; });
    EXPECT_FALSE(call.WaitFor(20ms));
    EXPECT_FALSE(call.Done());
    call.Cancel();
    EXPECT_TRUE(call.WaitFor(10s));
  }
  std::promise<void> open;
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> owned = held;
  bool cancelAsked = false;
  {
    fw::CWorkerCall call([held, gate = open.get_future().share()] { gate.wait(); }, [&cancelAsked] { cancelAsked = true; });
    EXPECT_FALSE(call.WaitFor(20ms));
  }  // given up while the job still waits
  EXPECT_TRUE(cancelAsked);
  EXPECT_GE(fw::CWorkerCall::Running(), 1);
  held.reset();
  EXPECT_FALSE(owned.expired());
  open.set_value();
  ASSERT_TRUE(fw::CWorkerCall::WaitForAll(10s));
  EXPECT_TRUE(owned.expired());  // the job let go of what it held
  EXPECT_EQ(fw::CWorkerCall::Running(), 0);
}

}  // namespace
