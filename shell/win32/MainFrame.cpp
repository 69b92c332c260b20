#include "shell/win32/MainFrame.h"

#include "framework/CommandFailure.h"
#include "framework/win32/Menu.h"
#include "framework/win32/MenuCmdUI.h"
#include "framework/win32/ModalWait.h"
#include "framework/win32/ResText.h"
#include "framework/win32/ToolBarCmdUI.h"
#include "platform/Keyboard.h"
#include "platform/win32/Utf16.h"
#include "res/Templates.h"
#include "shell/KolbrinDoc.h"
#include "shell/WindowPlacement.h"
#include "tree/DriveView.h"

namespace shell::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
using fw::win32::ResText;
namespace Msg = fw::win32::Msg;

namespace {
constexpr UINT kIdToolBar = ID_VIEW_TOOLBAR;      // the bars' ids are their commands'
constexpr UINT kIdStatusBar = ID_VIEW_STATUS_BAR;
constexpr UINT kIdSplitter = 59648;               // the first pane's id
constexpr COLORREF kToolBarKey = RGB(192, 192, 192);
constexpr UINT kOpenStart = WM_APP;               // posted once the window shows
}  // namespace

CMainFrame::CMainFrame(CKolbrinDoc& doc, CProfile& profile, fw::CWinApp* app, CPaneFactory& panes,
                       fw::win32::CModalWait& wait)
    : m_doc(doc),
      m_profile(profile),
      m_paneFactory(panes),
      m_wait(wait),
      m_accelerators(res::MainAccelerators()),
      m_dlgDriveInfo(doc.FileSystem(), wait),
      m_idleText(ResText(AFX_IDS_IDLEMESSAGE)) {
  SetApp(app);
  SetDocument(&doc);
  m_dlgDriveInfo.SetOnClosed([this] { OnDriveInfoClosed(); });
}

CMainFrame::~CMainFrame() {
  m_wait.SetStatusPane(nullptr);
  m_wait.SetMainWindow(nullptr);
}

fw::win32::WindowClass CMainFrame::GetWindowClass() const {
  fw::win32::WindowClass wc;
  wc.name = L"KolbrinFrame";
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  wc.icon = static_cast<HICON>(::LoadImageW(self, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  wc.smallIcon = static_cast<HICON>(::LoadImageW(self, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  wc.background = ::GetSysColorBrush(COLOR_3DFACE);
  return wc;
}

const MessageMap* CMainFrame::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {
      Msg::On<&CMainFrame::OnCreate>(WM_CREATE),
      Msg::On<&CMainFrame::OnClose>(WM_CLOSE),
      Msg::On<&CMainFrame::OnDestroy>(WM_DESTROY),
      Msg::On<&CMainFrame::OnSize>(WM_SIZE),
      Msg::On<&CMainFrame::OnSetFocus>(WM_SETFOCUS),
      Msg::On<&CMainFrame::OnSetCursor>(WM_SETCURSOR),
      Msg::On<&CMainFrame::OnCommand>(WM_COMMAND),
      Msg::On<&CMainFrame::OnNotify>(WM_NOTIFY),
      Msg::On<&CMainFrame::OnInitMenuPopup>(WM_INITMENUPOPUP),
      Msg::On<&CMainFrame::OnMenuSelect>(WM_MENUSELECT),
      Msg::On<&CMainFrame::OnExitMenuLoop>(WM_EXITMENULOOP),
      Msg::On<&CMainFrame::OnDpiChanged>(WM_DPICHANGED),
      Msg::On<&CMainFrame::OnOpenStart>(kOpenStart),
  };
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

bool CMainFrame::Create() {
  fw::win32::CMenu menu = fw::win32::CMenu::MenuBar(res::MainMenu());
  const std::wstring title = ResText(AFX_IDS_APP_TITLE);
  if (!CWindowImpl::Create(nullptr, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, nullptr,
                           menu.Handle())) {
    return false;
  }
  menu.Detach();  // the window destroys its menu
  return true;
}

// Toolbar and status bar first: the panes are laid out in the room they
// leave.
LRESULT CMainFrame::OnCreate(WPARAM, LPARAM) {
  if (!m_wndToolBar.Create(m_hWnd, kIdToolBar)) return -1;
  LoadToolBarImages();
  if (!m_wndToolBar.AddButtons(res::MainToolbar())) return -1;
  if (!m_wndStatusBar.Create(m_hWnd, kIdStatusBar)) return -1;
  ShowIdlePrompt();
  m_wait.SetStatusPane(this);
  m_wait.SetMainWindow(m_hWnd);
  if (!CreatePanes()) return -1;
  for (fw::CView* v : m_doc.Views()) v->OnInitialUpdate();
  OnIdle();
  return 0;
}

// In view order: tree, file list, directory list.
bool CMainFrame::CreatePanes() {
  const PaneContext context{m_doc, m_wait, *this, m_hWnd, m_printing};
  if (!m_wndSplitter.Create(m_hWnd, kIdSplitter)) return false;
  m_panes[0] = m_paneFactory.CreatePane(PaneSlot::kDriveTree, m_wndSplitter.Handle(), context);
  if (!m_wndSplitterRight.Create(m_wndSplitter.Handle(), kIdSplitter + 1)) return false;
  m_panes[1] = m_paneFactory.CreatePane(PaneSlot::kFileList, m_wndSplitterRight.Handle(), context);
  m_panes[2] = m_paneFactory.CreatePane(PaneSlot::kDirList, m_wndSplitterRight.Handle(), context);
  for (const PaneWindow& p : m_panes) {
    if (p.hwnd == nullptr) return false;
  }
  m_wndSplitter.SetPanes(m_panes[0].hwnd, m_wndSplitterRight.Handle());
  m_wndSplitterRight.SetPanes(m_panes[1].hwnd, m_panes[2].hwnd);
  SetActiveView(m_panes[0].view);
  return true;
}

void CMainFrame::LoadToolBarImages() {
  const auto& tb = res::MainToolbar();
  m_toolBarImages.LoadStrip(tb.bitmap, tb.buttonWidth, tb.buttonHeight, kToolBarKey, Dpi());
  m_wndToolBar.SetImageList(m_toolBarImages.Handle());
}

void CMainFrame::ShowRestored(std::string startDirectory) {
  const WindowPlacement stored =
      RestoreWindowPlacement(m_profile, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ::GetWindowPlacement(m_hWnd, &wp);
  wp.rcNormalPosition = {stored.rcNormal.left, stored.rcNormal.top, stored.rcNormal.right, stored.rcNormal.bottom};
  // Only the states the program itself stores; a hidden window would never
  // come back.
  const bool known = stored.showCmd == ShowCmd::kMaximized || stored.showCmd == ShowCmd::kMinimized;
  wp.showCmd = known ? static_cast<UINT>(stored.showCmd) : SW_SHOWNORMAL;
  ::SetWindowPlacement(m_hWnd, &wp);
  m_paneSizesPending = true;
  SetInitialPaneSizes();
  ::UpdateWindow(m_hWnd);
  m_startDirectory = std::move(startDirectory);
  PostMsg(kOpenStart);
}

// The lists get their first rows by the tree's own road, inside a command
// of its own: a wait for a drive that does not answer can be given up.
LRESULT CMainFrame::OnOpenStart(WPARAM, LPARAM) {
  tree::CDriveView* tree = m_panes[0].tree;
  const std::string path = std::exchange(m_startDirectory, {});
  if (tree == nullptr) return 0;
  fw::RunReported([&] {
    if (path.empty() || !tree->SelectPath(path)) tree->ReselectCurrent();
  });
  m_started = true;
  if (::GetFocus() == m_hWnd) ActivatePane(0);
  return 0;
}

// The tree a quarter of the frame's width, the two lists half each of the
// height between toolbar and status bar; a window that starts minimised
// gets them when it is first restored.
void CMainFrame::SetInitialPaneSizes() {
  const RECT client = ClientRect();
  if (!m_paneSizesPending || ::IsIconic(m_hWnd) || client.right <= 0) return;
  m_paneSizesPending = false;
  const SplitterSizes sizes = InitialSplitterSizes(client.right - client.left, client.bottom - client.top);
  m_wndSplitter.SetPosition(sizes.treeWidth);
  const RECT right = m_wndSplitterRight.ClientRect();
  m_wndSplitterRight.SetPosition((right.bottom - right.top - m_wndSplitterRight.BarSize()) / 2);
}

// During a wait the wait gives up first and closes the window after.
LRESULT CMainFrame::OnClose(WPARAM wp, LPARAM lp) {
  if (m_wait.CloseAfterWait(m_hWnd)) return 0;
  return Default(WM_CLOSE, wp, lp);
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM) {
  SaveWindowPlacement();
  // The panes' views go with their windows; routing must not reach them.
  SetActiveView(nullptr);
  ::PostQuitMessage(0);
  return 0;
}

void CMainFrame::SaveWindowPlacement() const {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!::GetWindowPlacement(m_hWnd, &wp)) return;
  WindowPlacement p;
  const RECT& r = wp.rcNormalPosition;
  p.rcNormal = {r.left, r.top, r.right, r.bottom};
  p.showCmd = static_cast<std::int32_t>(wp.showCmd);
  shell::SaveWindowPlacement(m_profile, p);
}

LRESULT CMainFrame::OnSize(WPARAM, LPARAM) {
  RecalcLayout();
  SetInitialPaneSizes();
  return 0;
}

void CMainFrame::RecalcLayout() {
  RECT area = ClientRect();
  if (m_wndToolBar.IsShown()) {
    m_wndToolBar.AutoSize();
    const RECT tb = m_wndToolBar.WindowRect();
    area.top += tb.bottom - tb.top;
  }
  if (m_wndStatusBar.IsShown()) {
    m_wndStatusBar.Resize();
    LayoutBars();
    const RECT sb = m_wndStatusBar.WindowRect();
    area.bottom -= sb.bottom - sb.top;
  }
  if (area.bottom < area.top) area.bottom = area.top;
  m_wndSplitter.Move(area);
}

// Pane 0 stretches; each indicator is as wide as its text and a margin.
void CMainFrame::LayoutBars() {
  const auto ids = res::StatusIndicators();
  const HDC dc = ::GetDC(m_wndStatusBar.Handle());
  const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(m_wndStatusBar.SendMsg(WM_GETFONT)));
  int widths[4] = {};
  int total = 0;
  for (std::size_t i = 1; i < ids.size() && i < 4; ++i) {
    const std::wstring text = ResText(ids[i]);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widths[i] = size.cx + Scale(12);
    total += widths[i];
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(m_wndStatusBar.Handle(), dc);
  const int right = ClientRect().right - ::GetSystemMetrics(SM_CXVSCROLL);
  int edges[4] = {right - total, 0, 0, -1};
  edges[1] = edges[0] + widths[1];
  edges[2] = edges[1] + widths[2];
  m_wndStatusBar.SetParts(4, edges);
  m_indicators = {-1, -1, -1};  // new parts start empty
}

void CMainFrame::OnIdle() {
  SyncActiveView();
  fw::win32::CToolBarCmdUI::UpdateButtons(m_wndToolBar, *this);
  const platform::LockKeys keys = platform::QueryLockKeys();
  const bool on[] = {keys.caps, keys.num, keys.scroll};
  const auto ids = res::StatusIndicators();
  for (std::size_t i = 0; i < m_indicators.size(); ++i) {
    if (m_indicators[i] == static_cast<int>(on[i])) continue;
    m_indicators[i] = on[i];
    m_wndStatusBar.SetPaneText(static_cast<int>(i + 1), on[i] ? ResText(ids[i + 1]).c_str() : L"");
  }
}

void CMainFrame::SetMessageText(std::string_view text, bool immediate) {
  m_wndStatusBar.SetPaneText(0, platform::win32::Widen(text).c_str());
  if (immediate) ::UpdateWindow(m_wndStatusBar.Handle());
}

std::string CMainFrame::MessageText() const { return platform::win32::Narrow(m_wndStatusBar.PaneText(0)); }

// A prompt never covers what a wait tells.
void CMainFrame::ShowPrompt(const std::wstring& text) {
  if (!m_wait.Active()) m_wndStatusBar.SetPaneText(0, text.c_str());
}

bool CMainFrame::PreTranslateMessage(MSG& msg) {
  // The drive information window's keys: Tab, Esc, Enter.
  if (m_dlgDriveInfo.PreTranslateMessage(msg)) return true;
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  // The frame's keys, unless a dialog of its own has the focus.
  const HWND active = ::GetActiveWindow();
  return (active == m_hWnd || active == nullptr) && m_accelerators.Translate(m_hWnd, msg);
}

bool CMainFrame::ExecuteCommand(fw::UINT id) {
  if (m_wait.Active()) return false;  // while a long job is waited for, nothing else reacts
  SyncActiveView();
  fw::CCmdUI state(id);
  state.DoUpdate(this, true);
  if (!state.m_bEnabled) return false;
  bool handled = false;
  fw::RunReported([&] { handled = OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr); });
  return handled;
}

// Menu items (code 0), accelerators (1) and toolbar buttons send commands.
LRESULT CMainFrame::OnCommand(WPARAM wp, LPARAM lp) {
  const auto from = reinterpret_cast<HWND>(lp);
  if (from == nullptr || from == m_wndToolBar.Handle()) ExecuteCommand(LOWORD(wp));
  return 0;
}

LRESULT CMainFrame::OnNotify(WPARAM, LPARAM lp) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
  if (hdr->code == TTN_GETDISPINFOW) {
    // The toolbar's tooltip: the prompt string's text after "\n".
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
    m_tooltip = fw::win32::TooltipResText(static_cast<res::Id>(hdr->idFrom));
    info->lpszText = m_tooltip.data();
  } else if (hdr->code == TBN_HOTITEMCHANGE && hdr->hwndFrom == m_wndToolBar.Handle()) {
    // The button under the pointer tells what it does, as menu items do.
    const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lp);
    if (hot->dwFlags & HICF_LEAVING) {
      ShowIdlePrompt();
    } else {
      ShowPrompt(fw::win32::PromptResText(static_cast<res::Id>(hot->idNew)));
    }
  }
  return 0;
}

LRESULT CMainFrame::OnInitMenuPopup(WPARAM wp, LPARAM lp) {
  if (HIWORD(lp) == 0) {  // not the system menu
    SyncActiveView();
    fw::win32::CMenuCmdUI::UpdatePopup(reinterpret_cast<HMENU>(wp), *this);
  }
  return 0;
}

// The prompt of the highlighted item goes to pane 0; a popup's title, a
// separator or the closed menu bring the idle text back.
LRESULT CMainFrame::OnMenuSelect(WPARAM wp, LPARAM) {
  const UINT flags = HIWORD(wp);
  const UINT id = LOWORD(wp);
  if (flags == 0xFFFF || (flags & (MF_POPUP | MF_SEPARATOR)) != 0 || id == 0) {
    ShowIdlePrompt();
  } else {
    ShowPrompt(fw::win32::PromptResText(id));
  }
  return 0;
}

LRESULT CMainFrame::OnExitMenuLoop(WPARAM, LPARAM) {
  ShowIdlePrompt();
  return 0;
}

// The frame itself takes no keys: the focus goes back to the pane that had
// it when the window was last active. Before the start has selected in the
// tree, the frame keeps it: a tree that gets the focus without a selection
// selects its top item, which the lists would read first.
LRESULT CMainFrame::OnSetFocus(WPARAM, LPARAM) {
  if (!m_started) return 0;
  ::SetFocus(m_panes[static_cast<std::size_t>(m_focusPane)].hwnd);
  return 0;
}

// Moved to a screen of another scale: the size the system suggests, and
// toolbar pictures for the new scale.
LRESULT CMainFrame::OnDpiChanged(WPARAM, LPARAM lp) {
  const auto* r = reinterpret_cast<const RECT*>(lp);
  LoadToolBarImages();
  ::SetWindowPos(m_hWnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

int CMainFrame::PaneOfFocus() const {
  const HWND focus = ::GetFocus();
  for (std::size_t i = 0; i < m_panes.size(); ++i) {
    const HWND pane = m_panes[i].hwnd;
    if (pane != nullptr && focus != nullptr && (focus == pane || ::IsChild(pane, focus))) return static_cast<int>(i);
  }
  return -1;
}

// The view whose pane has the focus is the active one; with the focus
// elsewhere (the menu, a dialog) the last one stays.
void CMainFrame::SyncActiveView() {
  const int pane = PaneOfFocus();
  if (pane < 0) return;
  m_focusPane = pane;
  SetActiveView(m_panes[static_cast<std::size_t>(pane)].view);
}

int CMainFrame::ActivePane() const {
  for (std::size_t i = 0; i < m_panes.size(); ++i) {
    if (m_panes[i].view != nullptr && m_panes[i].view == GetActiveView()) return static_cast<int>(i);
  }
  return -1;
}

void CMainFrame::ActivatePane(int pane) {
  ::SetFocus(m_panes.at(static_cast<std::size_t>(pane)).hwnd);
  SyncActiveView();
}

fw::win32::CWindow CMainFrame::BarWindow(Bar bar) const {
  return fw::win32::CWindow(bar == Bar::kToolBar ? m_wndToolBar.Handle() : m_wndStatusBar.Handle());
}

bool CMainFrame::IsBarShown(Bar bar) const { return BarWindow(bar).IsShown(); }

void CMainFrame::ShowBar(Bar bar, bool show) {
  BarWindow(bar).Show(show ? SW_SHOW : SW_HIDE);
  RecalcLayout();
}

void CMainFrame::OpenDriveInfo() {
  if (m_dlgDriveInfo.Create(m_hWnd)) {
    m_dlgDriveInfo.Show();
  } else {
    OnDriveInfoClosed();  // the check mark tells the truth
  }
}

void CMainFrame::CloseDriveInfo() { m_dlgDriveInfo.Destroy(); }

// The wait cursor over every pane and bar while a wait shows it.
LRESULT CMainFrame::OnSetCursor(WPARAM wp, LPARAM lp) {
  if (!m_wait.ShowsWaitCursor()) return Default(WM_SETCURSOR, wp, lp);
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  return TRUE;
}

}  // namespace shell::win32
