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
    { const Touch done(NativePath("/media/usb/before")); }  // ended before: not held
    const Touch listing(NativePath("/net/share/dir"));
    EXPECT_FALSE(listing.Refused());
    EXPECT_EQ(watch.LastPath(), NativePath("/net/share/dir"));
    EXPECT_FALSE(platform::GivenUp());
    watch.GiveUp();  // by the waiting thread, while the call hangs
    EXPECT_TRUE(platform::GivenUp());
    for (const char* hung : {"/net", "/net/other/file"}) EXPECT_TRUE(IsOnHungMount(NativePath(hung))) << hung;
    for (const char* free : {"/network", "/home/user", "/media/usb"}) EXPECT_FALSE(IsOnHungMount(NativePath(free))) << free;
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
  for (const char* free : {"/net/other", "/media/usb/b", "/var/y"}) EXPECT_FALSE(IsOnHungMount(NativePath(free))) << free;

  // Given up only after it ended: nothing hangs.
  CallWatch ended(fs);
  ended.End();
  ended.GiveUp();
  EXPECT_FALSE(IsOnHungMount(NativePath("/")));
}

}  // namespace
