#include "tree/win32/DriveView.h"

#include "framework/CommandFailure.h"
#include "framework/win32/ModalWait.h"

namespace tree::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;

namespace {
constexpr UINT kIdTree = 1;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
}  // namespace

CDriveView::CDriveView(fw::CPathDocument& doc, fw::win32::CModalWait& wait)
    : tree::CDriveView(doc, wait), m_tree(wait) {}

fw::win32::WindowClass CDriveView::GetWindowClass() const { return {L"KolbrinDriveTree"}; }

const MessageMap* CDriveView::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {Msg::On<&CDriveView::OnNotify>(WM_NOTIFY)};
  static const MessageMap map{entries, PaneMap()};
  return &map;
}

bool CDriveView::Create(HWND parent, UINT id) {
  if (!CreatePane(parent, id, IDS_NAME_DRIVE_TREE) || !m_tree.Create(m_hWnd, kIdTree)) return false;
  m_images.LoadStrip(IDB_TREE_IMAGES, 16, 15, kTransparent, Dpi());
  m_tree.Ctrl().SetImageList(m_images.Handle());
  Start(m_tree);
  return true;
}

LRESULT CDriveView::OnNotify(WPARAM, LPARAM lp) {
  const auto& nm = *reinterpret_cast<const NMTREEVIEWW*>(lp);
  if (nm.hdr.hwndFrom != m_tree.Handle()) return 0;
  switch (nm.hdr.code) {
    case TVN_ITEMEXPANDINGW: return OnExpanding(nm) ? TRUE : FALSE;
    case TVN_SELCHANGEDW: OnSelChanged(CDriveTreeCtrl::ToCore(nm.itemNew.hItem)); return 0;
    default: return 0;
  }
}

// True refuses an expansion. An item that closes over the selection takes
// the selection first: one new path for the lists, not one per child gone.
bool CDriveView::OnExpanding(const NMTREEVIEWW& nm) {
  const HTREEITEM item = CDriveTreeCtrl::ToCore(nm.itemNew.hItem);
  const bool expand = (nm.action & TVE_EXPAND) != 0;
  if (!expand) {
    for (HTREEITEM up = m_tree.GetParentItem(m_tree.GetSelectedItem()); up != nullptr; up = m_tree.GetParentItem(up)) {
      if (up == item) {
        m_tree.SelectItem(item);
        break;
      }
    }
  }
  bool refused = true;
  fw::RunReported([&] { refused = OnItemExpanding(item, expand ? ExpandAction::kExpand : ExpandAction::kCollapse); });
  return expand && refused;
}

}  // namespace tree::win32
