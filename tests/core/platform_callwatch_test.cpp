// The watch of what a worker touches: a call given up holds the mount it
// hangs on (and any it touches afterwards) until it ends; meanwhile a call
// touching that mount is refused, one touching another mount is not.
#include <gtest/gtest.h>

#include "platform/CallWatch.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using platform::CallWatch;
using platform::IsOnHungMount;
using platform::Touch;
using test_support::NativePath;

TEST(CallWatch, AGivenUpCallHoldsItsMountsUntilItEnds) {
  test_support::FakeFileSystem fs;
  fs.AddMount("/net");
  fs.AddMount("/media/usb");
  CallWatch watch(fs);
  {
    const CallWatch::Scope scope(&watch);
    const Touch listing(NativePath("/net/share/dir"));
    EXPECT_FALSE(listing.Refused());
    EXPECT_EQ(watch.LastPath(), NativePath("/net/share/dir"));
    EXPECT_FALSE(platform::GivenUp());
    watch.GiveUp();  // by the waiting thread, while the call hangs
    EXPECT_TRUE(platform::GivenUp());
    EXPECT_TRUE(IsOnHungMount(NativePath("/net")));
    EXPECT_TRUE(IsOnHungMount(NativePath("/net/other/file")));
    EXPECT_FALSE(IsOnHungMount(NativePath("/network")));
    EXPECT_FALSE(IsOnHungMount(NativePath("/home/user")));
    EXPECT_TRUE(Touch(NativePath("/net/x")).Refused());
    EXPECT_FALSE(Touch(NativePath("/home/x")).Refused());
    const Touch later(NativePath("/media/usb/a"));  // the given-up call goes on elsewhere
    EXPECT_TRUE(IsOnHungMount(NativePath("/media/usb/b")));
  }
  EXPECT_FALSE(platform::GivenUp());  // not working for the watch any more
  watch.End();
  EXPECT_FALSE(IsOnHungMount(NativePath("/net/other")));
  EXPECT_FALSE(IsOnHungMount(NativePath("/media/usb/b")));

  // Given up only after it ended, and after its touches were done: nothing hangs.
  CallWatch done(fs);
  {
    const CallWatch::Scope scope(&done);
    const Touch t(NativePath("/net/a"));
  }
  done.GiveUp();
  EXPECT_FALSE(IsOnHungMount(NativePath("/net/a")));
  done.End();
  CallWatch ended(fs);
  ended.End();
  ended.GiveUp();
  EXPECT_FALSE(IsOnHungMount(NativePath("/")));
}

}  // namespace
