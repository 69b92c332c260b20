// Work the user may give up waiting for: a worker job waited for or left to
// end on its own, a given-up job holding exactly the mount its stuck call
// got into until it ends, and how a wait shows itself and what it holds.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>

#include "framework/HeldInput.h"
#include "framework/WaitPlan.h"
#include "framework/WorkerCall.h"
#include "platform/Job.h"
#include "platform/LooseThreads.h"
#include "tests/support/FakeFileSystem.h"

namespace {

using namespace std::chrono_literals;
using test_support::NativePath;

// Until done holds, or ten seconds have passed.
void Until(const std::function<bool()>& done) {
  for (int i = 0; i < 2000 && !done(); ++i) std::this_thread::sleep_for(5ms);
}

TEST(WorkerCall, KeepsWhatTheJobThrewAndLetsAJobNobodyWaitsForEndOnItsOwn) {
  auto result = std::make_shared<int>(0);
  fw::CWorkerCall done([result] { *result = 42; });
  ASSERT_TRUE(done.WaitFor(10s));
  EXPECT_EQ(std::pair(*result, done.Failure() == nullptr), std::pair(42, true));
  fw::CWorkerCall failing([] { throw std::runtime_error("kaputt"); });
  ASSERT_TRUE(failing.WaitFor(10s));
  EXPECT_THROW(std::rethrow_exception(failing.Failure()), std::runtime_error);
  std::promise<void> open;
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> owned = held;
  {
    fw::CWorkerCall call([held, gate = open.get_future().share()] { gate.wait(); });
    EXPECT_FALSE(call.WaitFor(20ms));
  }  // nobody waits any more
  EXPECT_GE(fw::CWorkerCall::Running(), 1);
  held.reset();
  EXPECT_FALSE(owned.expired());
  open.set_value();
  ASSERT_TRUE(fw::CWorkerCall::WaitForAll(10s));
  EXPECT_TRUE(owned.expired());  // the job let go of what it held
}

// Threads nobody waits for, started one after another, each run their own
// work, and each is joined once it has ended, whatever the others do.
TEST(LooseThreads, EachRunsItsWorkAndIsJoinedOnceItEnded) {
  std::promise<void> open;
  platform::loose::Start([gate = open.get_future().share()] { gate.wait(); });
  std::atomic<int> ran{0};
  for (int i = 0; i < 200; ++i) platform::loose::Start([&ran] { ++ran; });
  Until([&ran] { return ran == 200 && platform::loose::JoinEnded() == 1; });
  EXPECT_EQ(ran, 200);
  EXPECT_EQ(platform::loose::JoinEnded(), 1u);  // the one still waiting
  open.set_value();
  Until([] { return platform::loose::JoinEnded() == 0; });
  EXPECT_EQ(platform::loose::JoinEnded(), 0u);
}

// Mounts, links from one path to another, and mounts whose volume call
// never answers until the test ends.
class Probe : public platform::MountProbe {
 public:
  Probe() : m_gate(m_open.get_future().share()) {}
  ~Probe() override { Open(); }
  void Open() {
    if (!m_opened) m_open.set_value();
    m_opened = true;
  }
  std::string MountOf(std::string_view path) const override {
    std::string best = NativePath("/");
    for (const std::string& m : mounts)
      if (path.starts_with(m) && m.size() > best.size()) best = m;
    return best;
  }
  std::string ResolveLinks(std::string_view path, const std::function<bool(const std::string&)>& enter) const override {
    for (const auto& [link, target] : links) {
      if (!path.starts_with(link) || !enter(link.substr(0, link.rfind(platform::kPathSeparator)))) continue;
      return target + std::string(path.substr(link.size()));
    }
    return std::string(path);
  }
  bool Answers(const std::string& mount) const override {
    if (silent.contains(mount)) m_gate.wait();
    return true;
  }
  std::vector<std::string> mounts;
  std::map<std::string, std::string> links;
  std::set<std::string> silent;

 private:
  std::promise<void> m_open;
  std::shared_future<void> m_gate;
  bool m_opened = false;
};

class StuckMountsTest : public ::testing::Test {
 protected:
  StuckMountsTest() {
    probe->mounts = {N("/net"), N("/mnt/dead"), N("/media/slow")};
    probe->links = {{N("/home/u/nas"), N("/mnt/dead/share")}};
    probe->silent = {N("/net"), N("/mnt/dead")};
  }
  // The verdicts' questions end, and their threads with them, before the
  // test's process may end.
  ~StuckMountsTest() override {
    probe->Open();
    Settle();
    Until([] { return platform::loose::JoinEnded() == 0; });
  }
  static std::string N(const char* path) { return NativePath(path); }
  bool Refused(platform::Job& job, const char* path) { return platform::Touch(job, N(path)).Refused(); }
  void Settle() { Until([this] { return stuck->PendingVerdicts() == 0; }); }
  std::shared_ptr<Probe> probe = std::make_shared<Probe>();
  std::shared_ptr<platform::StuckMounts> stuck = platform::StuckMounts::Make(probe, 1s);  // room for a slow machine
};

TEST_F(StuckMountsTest, AGivenUpCallThatGotSomewhereHoldsThatMountUntilItsJobEnds) {
  platform::Job job(stuck);
  {
    const platform::Touch before(job, N("/media/slow/x"));  // ended before: not held
  }
  platform::Touch listing(job, N("/home/u/link"));
  listing.Reached([] { return NativePath("/net/share/dir"); });  // where the link led
  EXPECT_EQ(job.LastPath(), N("/home/u/link"));
  job.GiveUp();
  EXPECT_TRUE(job.GivenUp());
  EXPECT_TRUE(stuck->Holds(N("/net/other")) && !stuck->Holds(N("/home/u/link")) && !stuck->Holds(N("/")));
  EXPECT_TRUE(Refused(job, "/media/slow/y"));  // a given-up job touches nothing more
  platform::Job other(stuck);
  EXPECT_TRUE(Refused(other, "/net/x"));
  EXPECT_FALSE(Refused(other, "/home/u/else") || Refused(other, "/media/slow/b"));
  job.End();
  EXPECT_FALSE(Refused(other, "/net/x"));
  job.GiveUp();  // after its end: nothing more is held
  EXPECT_FALSE(stuck->Holds(N("/net")));
}

// Where the call did not tell where it got, its way is followed: a link
// into a mount that answers nothing holds that mount; a mount that answers
// (the root above all) is never held.
TEST_F(StuckMountsTest, ACallWithoutAPlaceIsFollowedAndOnlyAMountThatDoesNotAnswerIsHeldWhileItsJobLasts) {
  platform::Job job(stuck);
  const platform::Touch viaLink(job, N("/home/u/nas/sub"));
  const platform::Touch slow(job, N("/media/slow/big"));
  const platform::Touch home(job, N("/home/u/docs"));
  job.GiveUp();
  platform::Job other(stuck);
  EXPECT_TRUE(Refused(other, "/home/u/nas/x")) << "waits for the verdict, then follows the link";
  Settle();
  EXPECT_TRUE(stuck->Holds(N("/mnt/dead/x")));
  EXPECT_FALSE(stuck->Holds(N("/media/slow/big")) || stuck->Holds(N("/home/u")));
  EXPECT_FALSE(Refused(other, "/home/u/docs") || Refused(other, "/media/slow/y"));
  job.End();
  EXPECT_FALSE(Refused(other, "/home/u/nas/x"));
  // A verdict for a job that ended meanwhile holds nothing.
  platform::Job ended(stuck);
  {
    const platform::Touch touch(ended, N("/mnt/dead/a"));
    ended.GiveUp();
  }
  ended.End();
  Settle();
  EXPECT_FALSE(stuck->Holds(N("/mnt/dead/a")));
}

// A wait shows nothing at first, then the cursor; then either the work's
// progress every tenth of a second or, after two seconds, what it waits for.
TEST(WaitPlan, CursorThenProgressOrWhatIsWaitedFor) {
  using ms = std::chrono::milliseconds;
  platform::Job listing(platform::StuckMounts::Make(std::make_shared<platform::MountProbe>()));
  const platform::Touch touch(listing, "/net/share");
  fw::CWaitPlan plain(listing);
  EXPECT_FALSE(plain.At(ms(100)).showCursor);
  EXPECT_TRUE(plain.At(ms(150)).showCursor);
  EXPECT_FALSE(plain.At(ms(1999)).status || plain.ToldSomething());
  EXPECT_EQ(plain.At(ms(2000)).status, "Warte auf \u201E/net/share\u201C \u2013 Esc bricht ab.");
  EXPECT_FALSE(plain.At(ms(3000)).status || plain.At(ms(3000)).showCursor);  // once each
  platform::Job scan(platform::StuckMounts::Make(std::make_shared<platform::MountProbe>()));
  int asked = 0;
  scan.SetProgress([&asked] { return "/dir" + std::to_string(++asked); });
  fw::CWaitPlan progress(scan);
  const fw::CWaitPlan::Step first = progress.At(ms(0));
  EXPECT_TRUE(first.showCursor && first.status == "/dir1");
  EXPECT_FALSE(progress.At(ms(99)).status);
  EXPECT_EQ(progress.At(ms(100)).status, "/dir2");
  EXPECT_EQ(progress.At(ms(2500)).status, "/dir3");
}

// Keys first, then messages, each once; what a delivered key starts holds
// the rest back; Esc drops keys, never messages.
TEST(HeldInput, KeysThenMessagesUntilAnotherWaitHoldsThem) {
  fw::CHeldInput<char, std::string> held;
  for (char c : {'a', 'b', 'c'}) held.HoldKey(c);
  held.HoldMessage("Excel");
  std::string log;
  bool waiting = false;
  const auto deliver = [&] {
    held.Deliver([&] { return !waiting; }, [&](char c) {
                   log += c;
                   waiting = c == 'b';
                 },
                 [&](const std::string& m) { log += "[" + m + "]"; });
  };
  deliver();
  EXPECT_EQ(log, "ab");  // 'b' started a wait
  held.HoldKey('d');
  held.DropKeys();  // Esc in that wait
  waiting = false;
  deliver();
  EXPECT_EQ(log, "ab[Excel]");
  EXPECT_TRUE(held.Empty());
}

}  // namespace
