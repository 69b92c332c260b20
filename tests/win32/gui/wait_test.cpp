// The wait for long work with its own message loop: what it holds, what it
// lets through, what it drops, and what a job that ends at once or fails
// looks like from outside.
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>

#include "framework/WorkerCall.h"
#include "framework/win32/MessageLoop.h"
#include "framework/win32/ModalWait.h"
#include "platform/Job.h"
#include "tests/support/FakeFileSystem.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

struct Entry {
  UINT message;
  WPARAM wp;
  std::uint64_t time;
};

// A window that logs the input it gets, with the time the wait says it was
// typed; its close goes through the wait, as the frame's does.
class CRecorder : public fw::win32::CWindowImpl {
 public:
  explicit CRecorder(fw::win32::CModalWait& wait) : m_wait(wait) { Create(nullptr, L"Recorder", WS_OVERLAPPED); }
  std::vector<Entry> log;

 protected:
  fw::win32::WindowClass GetWindowClass() const override { return {L"KolbrinTestRecorder"}; }
  const fw::win32::MessageMap* GetMessageMap() const override {
    namespace Msg = fw::win32::Msg;
    static constexpr fw::win32::MessageEntry entries[] = {
        Msg::On<&CRecorder::OnKeyDown>(WM_KEYDOWN), Msg::On<&CRecorder::OnChar>(WM_CHAR),
        Msg::On<&CRecorder::OnClick>(WM_LBUTTONDOWN), Msg::On<&CRecorder::OnClose>(WM_CLOSE)};
    static constexpr fw::win32::MessageMap map{entries, nullptr};
    return &map;
  }

 private:
  LRESULT Log(UINT message, WPARAM wp) { return log.push_back({message, wp, m_wait.KeyTime()}), 0; }
  LRESULT OnKeyDown(WPARAM wp, LPARAM) { return Log(WM_KEYDOWN, wp); }
  LRESULT OnChar(WPARAM wp, LPARAM) { return Log(WM_CHAR, wp); }
  LRESULT OnClick(WPARAM wp, LPARAM) { return Log(WM_LBUTTONDOWN, wp); }
  LRESULT OnClose(WPARAM, LPARAM) { return m_wait.CloseAfterWait(m_hWnd) ? 0 : Log(WM_CLOSE, 0); }
  fw::win32::CModalWait& m_wait;
};

class Win32Wait : public testing::Test {
 protected:
  // Work that goes on until the test lets it end (once ends() holds, if
  // given); meanwhile() runs inside the wait.
  bool RunHeld(const std::function<void()>& meanwhile, const std::function<bool()>& ends = nullptr) {
    auto gate = std::make_shared<std::promise<void>>();
    release = [gate] { gate->set_value(); };
    const win32test::CWhen during([this] { return wait.Active(); }, meanwhile);
    const win32test::CWhen end(ends ? ends : [] { return false; }, release);
    return wait.Run(job, [end = gate->get_future().share()] { end.wait(); });
  }
  // Runs the loop until the queue is empty.
  void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) loop.PumpMessage(msg);
  }
  void TearDown() override { EXPECT_TRUE(fw::CWorkerCall::WaitForAll(std::chrono::seconds(10))); }

  fw::win32::CMessageLoop loop;
  fw::win32::CModalWait wait{&loop};
  CRecorder recorder{wait};
  test_support::FakeFileSystem fs;
  std::shared_ptr<platform::Job> job = std::make_shared<platform::Job>(fs);
  std::function<void()> release;
};

TEST_F(Win32Wait, KeysComeAfterItInOrderWithTheirTimesThroughTheFiltersThenTheMessages) {
  std::vector<std::string> shown;
  int filtered = 0;
  loop.AddFilter([&](MSG& msg) { return msg.message == WM_KEYDOWN && msg.wParam == 'P' && ++filtered; });
  DWORD typed = 0;
  EXPECT_TRUE(RunHeld([&] {
    typed = ::GetTickCount();
    win32test::PostKey(recorder.Handle(), 'A');
    win32test::PostKey(recorder.Handle(), 'P');  // an accelerator's key
    ::PostMessageW(recorder.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);  // no mouse input gets through
    const fw::MessageBoxRequest message{"Meldung", "", fw::MsgIcon::kNone, fw::MsgButtons::kOk};
    EXPECT_EQ(wait.Present(message, [&](const fw::MessageBoxRequest& r) { return shown.push_back(r.text), 1; }),
              fw::IDRESULT_OK);
  }, [&] { return typed != 0 && ::GetTickCount() - typed >= 300; }));  // a good while after the keys
  EXPECT_TRUE(recorder.log.empty() && shown.empty()) << "nothing before the waiting call has returned";
  Pump();
  ASSERT_EQ(recorder.log.size(), 2u);
  EXPECT_EQ(std::pair(recorder.log[0].message, recorder.log[0].wp), std::pair(UINT{WM_KEYDOWN}, WPARAM{'A'}));
  EXPECT_EQ(std::pair(recorder.log[1].message, recorder.log[1].wp), std::pair(UINT{WM_CHAR}, WPARAM{'a'}));
  for (const Entry& e : recorder.log) EXPECT_LT(e.time - typed, 100u) << "typed then, not 300 ms later";
  EXPECT_EQ(filtered, 1) << "and its character went with it";
  EXPECT_EQ(shown, std::vector<std::string>{"Meldung"});
}

TEST_F(Win32Wait, EscDropsTheKeysBeforeItTheCloseBoxClosesAfterAndQuickOrFailingWorkIsNeverNoticed) {
  EXPECT_FALSE(RunHeld([&] {
    win32test::PostKey(recorder.Handle(), 'B');
    win32test::PostKey(recorder.Handle(), VK_ESCAPE);
    win32test::PostKey(recorder.Handle(), 'C');
  }));
  EXPECT_TRUE(job->GivenUp());
  release();
  Pump();
  EXPECT_EQ(recorder.log.size(), 2u) << "C, typed after the Esc, comes at once";
  EXPECT_TRUE(!recorder.log.empty() && recorder.log[0].wp == 'C');

  recorder.log.clear();
  wait.SetMainWindow(recorder.Handle());
  job = std::make_shared<platform::Job>(fs);
  EXPECT_FALSE(RunHeld([&] { ::PostMessageW(recorder.Handle(), WM_CLOSE, 0, 0); }));
  EXPECT_TRUE(recorder.log.empty());
  Pump();
  ASSERT_EQ(recorder.log.size(), 1u);
  EXPECT_EQ(recorder.log[0].message, UINT{WM_CLOSE});
  release();

  // Work that ends at once takes no message from the queue; what it
  // throws comes out of the call.
  ::PostMessageW(recorder.Handle(), WM_CHAR, 'x', 0);
  job = std::make_shared<platform::Job>(fs);
  EXPECT_TRUE(wait.Run(job, [] {}));
  EXPECT_THROW(wait.Run(job, [] { throw std::runtime_error("kaputt"); }), std::runtime_error);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, recorder.Handle(), WM_CHAR, WM_CHAR, PM_REMOVE));
}

}  // namespace
