#include "tests/win32/gui/FrameHarness.h"

#include <chrono>

#include "framework/WorkerCall.h"
#include "lists/win32/DirView.h"
#include "lists/win32/FileView.h"
#include "shell/KolbrinDoc.h"
#include "shell/win32/MainFrame.h"
#include "tree/win32/DriveView.h"

namespace win32test {

namespace {
// Every placement is the default one, and none is kept.
class CNoProfile : public shell::CProfile {
 public:
  std::int32_t GetProfileInt(std::string_view, std::string_view, std::int32_t value) override { return value; }
  void WriteProfileInt(std::string_view, std::string_view, std::int32_t) override {}
};
}  // namespace

CFrameHarness::CFrameHarness(platform::FileSystem& fs, std::string start) {
  auto panes = std::make_unique<shell::win32::CViewPanes>();
  m_panes = panes.get();
  m_app = std::make_unique<shell::win32::CKolbrinApp>(std::make_unique<CNoProfile>(), std::move(panes), &fs);
  m_app->SetStartDirectory(std::move(start));
  if (!m_app->InitInstance()) return;
  PumpUntil([this] { return !Path().empty(); });
}

// The frame going posts the end of the program, which must not reach the
// next test's loops; nor may work given up there.
CFrameHarness::~CFrameHarness() {
  m_app->ExitInstance();
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  fw::CWorkerCall::WaitForAll(std::chrono::seconds(20));
}

bool CFrameHarness::PumpUntil(const std::function<bool()>& ready) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      m_app->Loop().PumpMessage(msg);
      continue;
    }
    m_app->Loop().RunIdle();
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return true;
}

HWND CFrameHarness::Frame() const { return m_app->MainFrame()->Handle(); }
HWND CFrameHarness::Tree() const { return m_panes->DriveView()->TreeCtrl().Handle(); }
HWND CFrameHarness::Files() const { return m_panes->FileView()->List().Handle(); }
HWND CFrameHarness::Dirs() const { return m_panes->DirView()->List().Handle(); }
std::string CFrameHarness::Path() const { return m_app->Document()->Path(); }
std::string CFrameHarness::Status() const { return m_app->MainFrame()->MessageText(); }
void CFrameHarness::Command(UINT id) const { ::PostMessageW(Frame(), WM_COMMAND, id, 0); }

std::vector<std::wstring> CFrameHarness::Column(HWND list, int column) {
  std::vector<std::wstring> texts;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    wchar_t text[512] = {};
    ListView_GetItemText(list, row, column, text, 512);
    texts.emplace_back(text);
  }
  return texts;
}

std::vector<int> CFrameHarness::Selected(HWND list) {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

}  // namespace win32test
