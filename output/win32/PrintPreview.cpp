#include "output/win32/PrintPreview.h"

#include <algorithm>
#include <array>

#include "framework/win32/ResText.h"
#include "output/ListOutput.h"
#include "output/win32/GdiPrintDC.h"
#include "output/win32/ListPrinter.h"

namespace output::win32 {

using fw::win32::CWindow;
using fw::win32::MessageEntry;
using fw::win32::MessageMap;
using fw::win32::ResText;
namespace Msg = fw::win32::Msg;

namespace {

enum : UINT { kFirst = 1001, kPrevious, kPage, kOf, kNext, kLast, kTwoPages, kZoomOut, kZoomIn, kPrint, kClose, kPages };

struct Control {
  UINT id;
  res::Id text;  // 0: set when shown
  bool right;    // in the group at the right edge
};
constexpr std::array<Control, 11> kControls{{
    {kFirst, IDS_PREVIEW_FIRST, false},
    {kPrevious, IDS_PREVIEW_PREVIOUS, false},
    {kPage, 0, false},
    {kOf, 0, false},
    {kNext, IDS_PREVIEW_NEXT, false},
    {kLast, IDS_PREVIEW_LAST, false},
    {kTwoPages, IDS_PREVIEW_TWO_PAGES, false},
    {kZoomOut, IDS_PREVIEW_ZOOM_OUT, false},
    {kZoomIn, IDS_PREVIEW_ZOOM_IN, false},
    {kPrint, IDS_PREVIEW_PRINT, true},
    {kClose, IDS_PREVIEW_CLOSE, true},
}};

std::wstring OfText(int pages) {
  std::wstring text = ResText(IDS_PREVIEW_OF);
  const std::size_t at = text.find(L"%1");
  if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(pages));
  return text;
}

}  // namespace

CPrintPreview::CPrintPreview(ListOutput& job, const PrintSource& list, CPrinterSettings& settings, PrinterDC printer)
    : m_job(job),
      m_list(list),
      m_settings(settings),
      m_printer(std::move(printer)),
      m_view([this](PrintDC& dc, int page) { m_job.PrintPage(m_list, dc, page); },
             [this](int step) { ShowPage(m_view.Pages().FirstPage() + step); }) {}

CPrintPreview::~CPrintPreview() {
  if (m_hWnd != nullptr) Close();
  if (m_printing) m_job.EndPrinting();
  if (m_font != nullptr) ::DeleteObject(m_font);
}

fw::win32::WindowClass CPrintPreview::GetWindowClass() const {
  fw::win32::WindowClass wc;
  wc.name = L"KolbrinPrintPreview";
  wc.background = ::GetSysColorBrush(COLOR_3DFACE);
  wc.smallIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME),
                                                 IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0));
  return wc;
}

const MessageMap* CPrintPreview::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {
      Msg::On<&CPrintPreview::OnCreate>(WM_CREATE),
      Msg::On<&CPrintPreview::OnSize>(WM_SIZE),
      Msg::On<&CPrintPreview::OnCommand>(WM_COMMAND),
      Msg::On<&CPrintPreview::OnClose>(WM_CLOSE),
  };
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

// Over the owner's window (a pane's frame), as large as it is.
bool CPrintPreview::Create(HWND owner) {
  m_owner = owner != nullptr ? ::GetAncestor(owner, GA_ROOT) : nullptr;
  owner = m_owner;
  RECT place{};
  if (owner == nullptr || !::GetWindowRect(owner, &place) || place.right - place.left < 200) {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &place, 0);
  }
  const std::wstring title = ResText(IDS_PREVIEW_TITLE);
  if (!CWindowImpl::Create(owner, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, &place)) return false;
  StartJob();
  Show(SW_SHOW);
  m_view.SetFocus();
  return true;
}

LRESULT CPrintPreview::OnCreate(WPARAM, LPARAM) { return CreateControls() ? 0 : -1; }

bool CPrintPreview::CreateControls() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, Dpi());
  m_font = ::CreateFontIndirectW(&metrics.lfMessageFont);
  for (const Control& c : kControls) {
    const bool button = c.id != kPage && c.id != kOf;
    const HWND h = c.id == kPage ? CreateChild(m_hWnd, WC_EDITW, ES_NUMBER | ES_CENTER | WS_TABSTOP, c.id,
                                               WS_EX_CLIENTEDGE)
                   : button      ? CreateChild(m_hWnd, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, c.id)
                                 : CreateChild(m_hWnd, WC_STATICW, SS_LEFT | SS_CENTERIMAGE, c.id);
    if (h == nullptr) return false;
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (c.text != 0) ::SetWindowTextW(h, ResText(c.text).c_str());
  }
  return m_view.Create(m_hWnd, kPages);
}

// The buttons as wide as their texts in one row, the last two at the right
// edge; the pages below.
void CPrintPreview::Layout() {
  const RECT client = ClientRect();
  const HDC dc = ::GetDC(m_hWnd);
  const HGDIOBJ before = ::SelectObject(dc, m_font);
  SIZE digits{};
  ::GetTextExtentPoint32W(dc, L"0000000", 7, &digits);
  const int margin = Scale(4);
  const int height = digits.cy + Scale(10);
  const auto width = [&](const Control& c) {
    wchar_t text[128] = {};
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text, ::GetWindowTextW(DlgItem(static_cast<int>(c.id)), text, 128), &extent);
    return c.id == kPage ? digits.cx : extent.cx + Scale(c.id == kOf ? 8 : 24);
  };
  const auto place = [&](const Control& c, int x, int cx) {
    CWindow(DlgItem(static_cast<int>(c.id))).Move({x, margin, x + cx, margin + height});
  };
  int left = margin;
  int right = client.right - margin;
  for (auto c = kControls.rbegin(); c != kControls.rend() && c->right; ++c) {
    right -= width(*c);
    place(*c, right, width(*c));
    right -= margin;
  }
  for (const Control& c : kControls) {
    if (c.right) break;
    place(c, left, width(c));
    left += width(c) + margin + (c.id == kLast || c.id == kZoomIn ? Scale(12) : 0);
  }
  ::SelectObject(dc, before);
  ::ReleaseDC(m_hWnd, dc);
  const LONG top = height + 2 * margin;
  m_view.Move({0, top, client.right, std::max(top, client.bottom)});
}

LRESULT CPrintPreview::OnSize(WPARAM, LPARAM) {
  if (m_font != nullptr) Layout();
  return 0;
}

// The job measured on the printer as now set up; the page shown stays.
void CPrintPreview::StartJob() {
  GdiPrintDC measure(m_printer.get());
  const int pages = m_job.BeginPrinting(m_list, measure);
  m_printing = true;
  m_view.SetPrinter(m_printer.get());
  m_view.Pages().SetPageCount(pages);
  Update();
}

void CPrintPreview::ShowPage(int page) {
  m_view.Pages().ShowPage(page);
  Update();
}

void CPrintPreview::Zoom(int steps) {
  m_view.Pages().SetZoomStep(m_view.Pages().ZoomStep() + steps);
  Update();
}

void CPrintPreview::ToggleTwoPages() {
  m_view.Pages().SetTwoPages(!m_view.Pages().TwoPages());
  Update();
}

// The buttons that lead nowhere are disabled; the focus leaves a disabled
// one for the pages.
void CPrintPreview::Update() {
  const PreviewPages& pages = m_view.Pages();
  ::SetDlgItemInt(m_hWnd, kPage, static_cast<UINT>(pages.FirstPage()), FALSE);
  ::SetDlgItemTextW(m_hWnd, kOf, OfText(pages.PageCount()).c_str());
  ::SetDlgItemTextW(m_hWnd, kTwoPages, ResText(pages.TwoPages() ? IDS_PREVIEW_ONE_PAGE : IDS_PREVIEW_TWO_PAGES).c_str());
  const std::array<std::pair<UINT, bool>, 6> enabled{{{kFirst, !pages.AtFirst()},
                                                      {kPrevious, !pages.AtFirst()},
                                                      {kNext, !pages.AtLast()},
                                                      {kLast, !pages.AtLast()},
                                                      {kZoomOut, pages.ZoomStep() > 0},
                                                      {kZoomIn, pages.ZoomStep() < PreviewPages::kMaxZoomStep}}};
  for (const auto& [id, on] : enabled) ::EnableWindow(DlgItem(static_cast<int>(id)), on);
  const HWND focus = ::GetFocus();
  if (focus != nullptr && !::IsWindowEnabled(focus)) m_view.SetFocus();
  Layout();
  m_view.Refresh();
}

LRESULT CPrintPreview::OnCommand(WPARAM wp, LPARAM) {
  const PreviewPages& pages = m_view.Pages();
  switch (LOWORD(wp)) {
    case kFirst: ShowPage(1); break;
    case kPrevious: ShowPage(pages.FirstPage() - 1); break;
    case kNext: ShowPage(pages.FirstPage() + 1); break;
    case kLast: ShowPage(pages.PageCount()); break;
    case kTwoPages: ToggleTwoPages(); break;
    case kZoomOut: Zoom(-1); break;
    case kZoomIn: Zoom(1); break;
    case kPrint: Print(); break;
    case kClose:
    case IDCANCEL: Close(); break;
    case IDOK: ShowPage(static_cast<int>(::GetDlgItemInt(m_hWnd, kPage, nullptr, FALSE))); break;
    default: break;
  }
  return 0;
}

LRESULT CPrintPreview::OnClose(WPARAM, LPARAM) {
  Close();
  return 0;
}

// The owner comes back before the window goes, so that it is activated.
void CPrintPreview::Close() {
  if (m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
  Destroy();
}

// The print command's own job; the preview's begins again afterwards, on
// the printer as the print dialog left it.
void CPrintPreview::Print() {
  m_job.EndPrinting();
  m_printing = false;
  CListPrinter(m_job, m_list).Print(m_settings, m_hWnd);
  if (PrinterDC chosen = m_settings.CreateDC()) m_printer = std::move(chosen);
  StartJob();
}

void CPrintPreview::RunModal() {
  if (m_owner != nullptr) ::EnableWindow(m_owner, FALSE);
  MSG msg{};
  while (m_hWnd != nullptr) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the loop above gets the quit message too.
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (PreTranslateMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (m_hWnd != nullptr) Close();
}

bool CPrintPreview::PreTranslateMessage(MSG& msg) {
  if (m_hWnd == nullptr || (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && HandleKey(msg.wParam, msg.hwnd)) return true;
  return ::IsDialogMessageW(m_hWnd, &msg) != FALSE;
}

// Home and End in the page number move its caret; keys the preview does
// not know go on to the controls.
bool CPrintPreview::HandleKey(WPARAM key, HWND target) {
  const bool inNumber = target == DlgItem(kPage);
  const int line = Scale(24);
  const int first = m_view.Pages().FirstPage();
  switch (key) {
    case VK_NEXT: ShowPage(first + 1); return true;
    case VK_PRIOR: ShowPage(first - 1); return true;
    case VK_HOME: if (inNumber) return false; ShowPage(1); return true;
    case VK_END: if (inNumber) return false; ShowPage(m_view.Pages().PageCount()); return true;
    case VK_ADD:
    case VK_OEM_PLUS: Zoom(1); return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: Zoom(-1); return true;
    case VK_UP: m_view.Scroll(0, -line); return true;
    case VK_DOWN: m_view.Scroll(0, line); return true;
    case VK_LEFT: if (inNumber) return false; m_view.Scroll(-line, 0); return true;
    case VK_RIGHT: if (inNumber) return false; m_view.Scroll(line, 0); return true;
    default: return false;
  }
}

}  // namespace output::win32
