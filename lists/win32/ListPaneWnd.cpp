#include "lists/win32/ListPaneWnd.h"

#include "framework/CommandFailure.h"
#include "output/win32/ListPrinting.h"
#include "platform/win32/Utf16.h"

namespace lists::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;

namespace {
constexpr UINT kIdList = 1;
}  // namespace

CListPaneWnd::CListPaneWnd(lists::CListView& view, const fw::win32::CModalWait& wait, res::Id name)
    : m_view(view), m_list(view, wait), m_name(name) {}

fw::win32::WindowClass CListPaneWnd::GetWindowClass() const { return {L"KolbrinListPane"}; }

const MessageMap* CListPaneWnd::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CListPaneWnd::OnNotify>(WM_NOTIFY)};
  static const MessageMap map{entries, PaneMap()};
  return &map;
}

bool CListPaneWnd::Create(HWND parent, UINT id) {
  return CreatePane(parent, id, m_name) && m_list.Create(m_hWnd, kIdList);
}

LRESULT CListPaneWnd::OnNotify(WPARAM, LPARAM lp) {
  auto* hdr = reinterpret_cast<NMHDR*>(lp);
  if (hdr->hwndFrom != m_list.Handle()) return 0;
  if (hdr->code == LVN_GETDISPINFOW) {
    OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(lp));
  } else if (hdr->code == LVN_COLUMNCLICK) {
    const int column = reinterpret_cast<const NMLISTVIEW*>(lp)->iSubItem;
    fw::RunReported([&] { m_view.OnColumnClick(column); });
  }
  return 0;
}

// Every text is made when the control asks for it, and cut to its buffer.
void CListPaneWnd::OnGetDispInfo(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if ((item.mask & LVIF_IMAGE) != 0) item.iImage = 0;  // the one picture of each image list
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::wstring text = platform::win32::Widen(m_view.CellText(item.iItem, item.iSubItem));
  ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

void CListPaneWnd::PrintRows(output::ListOutput& output, const output::PrintSource& rows, bool preview) {
  if (m_printing != nullptr) m_printing->PrintList(output, rows, m_hWnd, preview);
}

}  // namespace lists::win32
