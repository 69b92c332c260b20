#include "tree/win32/DriveTreeCtrl.h"

#include <vector>

#include "framework/win32/Menu.h"
#include "platform/win32/Utf16.h"
#include "res/Templates.h"

namespace {
// Outside the namespace, where HTREEITEM is the system's own.
const HTREEITEM kTviRoot = TVI_ROOT;
const HTREEITEM kTviSort = TVI_SORT;
const HTREEITEM kTviLast = TVI_LAST;
}  // namespace

namespace tree::win32 {

using fw::win32::MessageEntry;
using fw::win32::MessageMap;
namespace Msg = fw::win32::Msg;
using platform::win32::Narrow;
using platform::win32::Widen;

bool CDriveTreeCtrl::Create(HWND parent, UINT id) {
  constexpr DWORD kStyle = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  return Subclass(CreateChild(parent, WC_TREEVIEWW, kStyle, id, WS_EX_CLIENTEDGE));
}

const MessageMap* CDriveTreeCtrl::GetMessageMap() const {
  static constexpr MessageEntry entries[] = {
      Msg::On<&CDriveTreeCtrl::OnKeyDown>(WM_KEYDOWN),
      Msg::On<&CDriveTreeCtrl::OnSysKeyDown>(WM_SYSKEYDOWN),
      Msg::On<&CDriveTreeCtrl::OnChar>(WM_CHAR),
      Msg::On<&CDriveTreeCtrl::OnRButtonDown>(WM_RBUTTONDOWN),
      Msg::On<&CDriveTreeCtrl::OnContextMenu>(WM_CONTEXTMENU),
  };
  static constexpr MessageMap map{entries, nullptr};
  return &map;
}

HTREEITEM CDriveTreeCtrl::InsertItem(std::string_view text, int image, int selectedImage, HTREEITEM parent,
                                     InsertAt where) {
  std::wstring name = Widen(text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent == kRootItem ? kTviRoot : ToWin(parent);
  insert.hInsertAfter = where == InsertAt::kSort ? kTviSort : kTviLast;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = name.data();
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  return ToCore(Ctrl().InsertItem(insert));
}

void CDriveTreeCtrl::DeleteItem(HTREEITEM item) { Ctrl().DeleteItem(ToWin(item)); }
HTREEITEM CDriveTreeCtrl::GetParentItem(HTREEITEM item) const { return ToCore(Ctrl().Parent(ToWin(item))); }

HTREEITEM CDriveTreeCtrl::GetChildItem(HTREEITEM item) const {
  return ToCore(item == kRootItem ? Ctrl().Root() : Ctrl().Child(ToWin(item)));
}

HTREEITEM CDriveTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return ToCore(Ctrl().NextSibling(ToWin(item))); }
std::string CDriveTreeCtrl::GetItemText(HTREEITEM item) const { return Narrow(Ctrl().ItemText(ToWin(item))); }

// The control asks its parent only at an item's first programmatic
// expansion; every expansion here lists afresh, so each one is a first.
void CDriveTreeCtrl::Expand(HTREEITEM item) {
  Ctrl().SetItemState(ToWin(item), 0, TVIS_EXPANDEDONCE);
  Ctrl().Expand(ToWin(item), TVE_EXPAND);
}

bool CDriveTreeCtrl::IsExpanded(HTREEITEM item) const {
  return (Ctrl().ItemState(ToWin(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void CDriveTreeCtrl::SelectItem(HTREEITEM item) {
  Ctrl().Select(ToWin(item));
  Ctrl().EnsureVisible(ToWin(item));
}

HTREEITEM CDriveTreeCtrl::GetSelectedItem() const { return ToCore(Ctrl().Selection()); }

LRESULT CDriveTreeCtrl::OnKeyDown(WPARAM wp, LPARAM lp) {
  if (wp == VK_MULTIPLY) {
    if (const HTREEITEM item = GetSelectedItem(); item != nullptr && !IsExpanded(item)) Expand(item);
    return 0;
  }
  if (wp == VK_APPS) {
    ShowContextMenuAtSelection();
    return 0;
  }
  return Default(WM_KEYDOWN, wp, lp);
}

LRESULT CDriveTreeCtrl::OnSysKeyDown(WPARAM wp, LPARAM lp) {
  if (wp == VK_F10 && ::GetKeyState(VK_SHIFT) < 0) {
    ShowContextMenuAtSelection();
    return 0;
  }
  return Default(WM_SYSKEYDOWN, wp, lp);
}

// The items shown, top to bottom, searched from the selected one.
LRESULT CDriveTreeCtrl::OnChar(WPARAM wp, LPARAM lp) {
  if (!fw::win32::CTypedSearch::Searches(wp, lp)) return Default(WM_CHAR, wp, lp);
  const fw::win32::CTreeCtrl tree = Ctrl();
  std::vector<::HTREEITEM> shown;
  for (::HTREEITEM i = tree.Root(); i != nullptr; i = tree.NextItem(i, TVGN_NEXTVISIBLE)) shown.push_back(i);
  int current = -1;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == tree.Selection()) current = static_cast<int>(i);
  }
  const int found = m_search.Type(static_cast<wchar_t>(wp), static_cast<int>(shown.size()), current,
                                  [&](int i) { return tree.ItemText(shown[static_cast<std::size_t>(i)]); });
  if (found >= 0) SelectItem(ToCore(shown[static_cast<std::size_t>(found)]));
  return 0;
}

// The item under the mouse is neither selected nor highlighted: the
// commands act on the selection.
LRESULT CDriveTreeCtrl::OnRButtonDown(WPARAM, LPARAM lp) {
  POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ::ClientToScreen(m_hWnd, &at);
  ShowContextMenu(at);
  return 0;
}

void CDriveTreeCtrl::ShowContextMenuAtSelection() const {
  RECT r{};
  POINT at{};
  if (Ctrl().ItemRect(Ctrl().Selection(), r, true)) at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(m_hWnd, &at);
  ShowContextMenu(at);
}

void CDriveTreeCtrl::ShowContextMenu(POINT screen) const {
  const auto popups = res::TreeContextMenu().popups;
  if (popups.empty() || m_commandWindow == nullptr) return;
  const fw::win32::CMenu menu = fw::win32::CMenu::Popup(popups.front());
  menu.Track(m_commandWindow, screen);
}

}  // namespace tree::win32
