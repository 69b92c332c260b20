// Work the user may give up waiting for: a worker job waited for, stopped or
// given up on; a given-up call holds the mounts it touches until it ends.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "framework/WorkerCall.h"
#include "platform/CallWatch.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using namespace std::chrono_literals;
using platform::CallWatch;
using platform::IsOnHungMount;
using platform::Touch;
using test_support::NativePath;

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
    EXPECT_FALSE(call.WaitFor(20ms) || call.Done());
    call.Cancel();
    EXPECT_TRUE(call.WaitFor(10s));
  }
  std::promise<void> open;
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> owned = held;
  bool cancelAsked = false;
  {
    fw::CWorkerCall call([held, gate = open.get_future().share()] { gate.wait(); },
                         [&cancelAsked] { cancelAsked = true; });
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

TEST(CallWatch, AGivenUpCallHoldsItsMountsUntilItEnds) {
  test_support::FakeFileSystem fs;
  for (const char* point : {"/net", "/media/usb"}) fs.AddMount(point);
  CallWatch watch(fs);
  {
    const CallWatch::Scope scope(&watch);
    { const Touch done(NativePath("/media/usb/before")); }  // ended before: not held
    const Touch listing(NativePath("/net/share/dir"));
    EXPECT_FALSE(listing.Refused());
    EXPECT_EQ(watch.LastPath(), NativePath("/net/share/dir"));
    EXPECT_FALSE(platform::GivenUp());
    watch.GiveUp();  // by the waiting thread, while the call hangs
    EXPECT_TRUE(platform::GivenUp());
    for (const char* hung : {"/net", "/net/other/file"}) EXPECT_TRUE(IsOnHungMount(NativePath(hung))) << hung;
    for (const char* free : {"/network", "/home/user", "/media/usb"})
      EXPECT_FALSE(IsOnHungMount(NativePath(free))) << free;
    EXPECT_TRUE(Touch(NativePath("/net/x")).Refused());
    const Touch later(NativePath("/media/usb/a"));  // the given-up call goes on elsewhere
    EXPECT_FALSE(later.Refused());
    EXPECT_TRUE(IsOnHungMount(NativePath("/media/usb/b")));
    EXPECT_FALSE(IsOnHungMount(NativePath("/home/user")));
    const Touch onRoot(NativePath("/home/x"));  // the root's mount holds every path
    EXPECT_TRUE(IsOnHungMount(NativePath("/var/y")));
  }
  EXPECT_FALSE(platform::GivenUp());  // not working for the watch any more
  watch.End();
  for (const char* free : {"/net/other", "/media/usb/b", "/var/y"})
    EXPECT_FALSE(IsOnHungMount(NativePath(free))) << free;
  // Given up only after it ended: nothing hangs.
  CallWatch ended(fs);
  ended.End();
  ended.GiveUp();
  EXPECT_FALSE(IsOnHungMount(NativePath("/")));
}

}  // namespace
