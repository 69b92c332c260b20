#include "framework/win32/ModalWait.h"

#include <chrono>
#include <utility>

#include "framework/StatusPane.h"
#include "framework/WaitPlan.h"
#include "framework/WorkerCall.h"
#include "framework/win32/MessageLoop.h"

namespace fw::win32 {

namespace {

using Clock = std::chrono::steady_clock;

// The shift keys whose state a held key takes along.
constexpr std::array<int, 9> kShiftKeys{VK_SHIFT,    VK_CONTROL,  VK_MENU,     VK_LSHIFT, VK_RSHIFT,
                                        VK_LCONTROL, VK_RCONTROL, VK_LMENU,    VK_RMENU};

bool IsKeyMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

bool IsMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) ||
         (m >= WM_NCMOUSEHOVER && m <= WM_MOUSELEAVE);
}

// The button a button-up message releases, as an MK_ flag; 0 for others.
UINT ReleasedButton(UINT m) {
  switch (m) {
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: return MK_LBUTTON;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: return MK_RBUTTON;
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP: return MK_MBUTTON;
    default: return 0;
  }
}

UINT ButtonsDown() {
  UINT down = 0;
  constexpr std::pair<int, UINT> kButtons[] = {
      {VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_MBUTTON, MK_MBUTTON}};
  for (const auto& [vk, flag] : kButtons) {
    if (::GetKeyState(vk) < 0) down |= flag;
  }
  return down;
}

// Sets the shift keys of the thread's keyboard state; returns those it had.
std::array<BYTE, 9> SetShiftKeys(const std::array<BYTE, 9>& shifts) {
  BYTE state[256] = {};
  ::GetKeyboardState(state);
  std::array<BYTE, 9> had{};
  for (std::size_t i = 0; i < kShiftKeys.size(); ++i) {
    had[i] = std::exchange(state[kShiftKeys[i]], shifts[i]);
  }
  ::SetKeyboardState(state);
  return had;
}

}  // namespace

// A window of the wait's own, which hands on what a wait held once the
// command that waited has returned, as a queue of input would.
class CModalWait::Mailbox : public CWindowImpl {
 public:
  explicit Mailbox(CModalWait& wait) : m_wait(wait) { Create(HWND_MESSAGE, L"", 0); }
  void Post() const { PostMsg(WM_APP); }

 protected:
  WindowClass GetWindowClass() const override { return {L"KolbrinWaitMailbox"}; }
  const MessageMap* GetMessageMap() const override {
    static constexpr MessageEntry entries[] = {Msg::On<&Mailbox::OnDeliver>(WM_APP)};
    static constexpr MessageMap map{entries, nullptr};
    return &map;
  }

 private:
  LRESULT OnDeliver(WPARAM, LPARAM) {
    m_wait.DeliverHeld();
    return 0;
  }
  CModalWait& m_wait;
};

CModalWait::CModalWait(const CMessageLoop* loop) : m_loop(loop), m_mailbox(std::make_unique<Mailbox>(*this)) {}

CModalWait::~CModalWait() = default;

bool CModalWait::Run(const std::shared_ptr<platform::Job>& job, std::function<void()> work) {
  return fw::RunOnWorker(job, std::move(work), m_active, [this, &job](CWorkerCall& call) {
    m_active = true;
    const bool done = Wait(call, *job);
    m_active = false;
    if (!m_held.Empty()) m_mailbox->Post();
    return done;
  });
}

bool CModalWait::Wait(CWorkerCall& call, platform::Job& job) {
  CWaitPlan plan(job);
  const Clock::time_point start = Clock::now();
  const std::string before = m_status != nullptr ? m_status->MessageText() : std::string();
  m_gaveUp = false;
  m_closeAfter = nullptr;
  m_quit.reset();
  m_job = &job;
  m_buttonsAtStart = ButtonsDown();
  while (!call.Done() && !m_gaveUp) {
    const CWaitPlan::Step step = plan.At(std::chrono::duration_cast<CWaitPlan::Duration>(Clock::now() - start));
    if (step.showCursor) ShowWaitCursor(true);
    if (step.status && m_status != nullptr) m_status->SetMessageText(*step.status);
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(CWaitPlan::kPollEvery.count()), QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    MSG msg;
    while (!m_gaveUp && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Take(msg);
  }
  m_job = nullptr;
  ShowWaitCursor(false);
  if (plan.ToldSomething() && m_status != nullptr) m_status->SetMessageText(before);
  if (m_closeAfter != nullptr) ::PostMessageW(m_closeAfter, WM_CLOSE, 0, 0);
  if (m_quit) ::PostQuitMessage(static_cast<int>(*m_quit));
  return !m_gaveUp && call.Done();
}

// Keys are held, other input dropped; paint, timers and every message of
// the program's own go on. The main window's close goes through.
void CModalWait::Take(MSG& msg) {
  if (IsKeyMessage(msg.message)) {
    TakeKey(msg);
    return;
  }
  if (IsMouseMessage(msg.message)) {
    if (LetsMouseThrough(msg)) ::DispatchMessageW(&msg);
    return;
  }
  switch (msg.message) {
    case WM_QUIT:
      m_quit = msg.wParam;
      GiveUp();
      return;
    case WM_COMMAND:
    case WM_HOTKEY: return;  // no command runs meanwhile
    case WM_SYSCOMMAND:
      if ((msg.wParam & 0xFFF0) != SC_CLOSE || msg.hwnd != m_mainWindow) return;
      break;
    case WM_CLOSE:
      if (msg.hwnd != m_mainWindow) return;  // other windows stay open
      break;
    default: break;
  }
  ::DispatchMessageW(&msg);
}

void CModalWait::TakeKey(MSG& msg) {
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (down && msg.wParam == VK_ESCAPE) {
    GiveUp();
    return;
  }
  Hold(msg);
  if (!down) return;
  // Its characters, held right behind it.
  ::TranslateMessage(&msg);
  MSG ch;
  while (::PeekMessageW(&ch, msg.hwnd, WM_CHAR, WM_DEADCHAR, PM_REMOVE) ||
         ::PeekMessageW(&ch, msg.hwnd, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
    Hold(ch);
  }
}

void CModalWait::Hold(const MSG& msg) {
  HeldKey key{msg, {}};
  for (std::size_t i = 0; i < kShiftKeys.size(); ++i) {
    const SHORT state = ::GetKeyState(kShiftKeys[i]);
    key.shifts[i] = static_cast<BYTE>((state < 0 ? 0x80 : 0) | (state & 1));
  }
  m_held.HoldKey(key);
}

// The close box of the main window, and the end of a click that began
// before the wait.
bool CModalWait::LetsMouseThrough(const MSG& msg) {
  if (msg.message == WM_NCLBUTTONDOWN && msg.wParam == HTCLOSE && msg.hwnd == m_mainWindow) return true;
  const UINT button = ReleasedButton(msg.message);
  if ((m_buttonsAtStart & button) == 0) return false;
  m_buttonsAtStart &= ~button;
  return true;
}

void CModalWait::GiveUp() {
  m_gaveUp = true;
  m_held.DropKeys();  // typed before the Esc: the user gave up on them too
  if (m_job != nullptr) m_job->GiveUp();
}

bool CModalWait::CloseAfterWait(HWND window) {
  if (!m_active) return false;
  m_closeAfter = window;
  GiveUp();
  return true;
}

// Shown at once; taken back by asking the window under the mouse for its
// own cursor, as a move of the mouse would.
void CModalWait::ShowWaitCursor(bool on) {
  if (on) {
    m_cursor = true;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  if (!std::exchange(m_cursor, false)) return;
  POINT p{};
  ::GetCursorPos(&p);
  const HWND under = ::WindowFromPoint(p);
  if (under == nullptr || ::GetWindowThreadProcessId(under, nullptr) != ::GetCurrentThreadId()) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return;
  }
  const LPARAM at = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
  const auto hit = static_cast<WORD>(::SendMessageW(under, WM_NCHITTEST, 0, at));
  ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

int CModalWait::Present(const fw::MessageBoxRequest& request, const fw::MessageBoxPresenter& show) {
  if (!m_active) return show ? show(request) : 0;
  m_held.HoldMessage({request, show});
  return fw::IDRESULT_OK;
}

std::uint64_t CModalWait::KeyTime() const { return m_keyTime ? *m_keyTime : static_cast<DWORD>(::GetMessageTime()); }

void CModalWait::DeliverHeld() {
  m_held.Deliver([this] { return !m_active; }, [this](const HeldKey& key) { DeliverKey(key); },
                 [](const HeldMessage& message) {
                   if (message.show) message.show(message.request);
                 });
}

// A key that the accelerators took has no character, as in the program's
// own loop.
void CModalWait::DeliverKey(const HeldKey& key) {
  MSG msg = key.msg;
  if (msg.hwnd == nullptr || !::IsWindow(msg.hwnd)) return;
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if ((msg.message == WM_CHAR || msg.message == WM_SYSCHAR) && std::exchange(m_keyTaken, false)) return;
  const std::array<BYTE, 9> live = SetShiftKeys(key.shifts);
  const std::optional<DWORD> outer = std::exchange(m_keyTime, msg.time);
  const bool taken = m_loop != nullptr && m_loop->Filter(msg);
  if (!taken) ::DispatchMessageW(&msg);
  if (down) m_keyTaken = taken;
  m_keyTime = outer;
  SetShiftKeys(live);
}

}  // namespace fw::win32
