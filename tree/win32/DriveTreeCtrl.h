// The drive tree's control: the system's tree-view (SysTreeView32) as the
// core's tree control (tree/TreeControl.h), and what the control does not
// do as the program wants it: typed names search the shown items by the
// times the keys were typed, the keypad's '*' opens one level only (a lazy
// tree of a whole drive would never end), and the right button and the
// Menu key (Shift+F10) open the context menu, whose commands go to the
// frame. The expansion and selection notifications go to the pane, the
// control's parent.
#pragma once

#include <string>
#include <string_view>

#include "framework/win32/SubclassWindow.h"
#include "framework/win32/TreeCtrl.h"
#include "framework/win32/TypedSearch.h"
#include "tree/TreeControl.h"

namespace tree::win32 {

class CDriveTreeCtrl : public fw::win32::CSubclassWindow, public tree::CTreeControl {
 public:
  explicit CDriveTreeCtrl(const fw::win32::CModalWait& wait) : m_search(wait) {}

  // Makes the control as a child of parent, filling it later.
  bool Create(HWND parent, UINT id);
  // The window the context menu's commands go to (the frame).
  void SetCommandWindow(HWND window) { m_commandWindow = window; }
  fw::win32::CTreeCtrl Ctrl() const { return fw::win32::CTreeCtrl(m_hWnd); }

  // CTreeControl.
  HTREEITEM InsertItem(std::string_view text, int image, int selectedImage, HTREEITEM parent,
                       InsertAt where) override;
  void DeleteItem(HTREEITEM item) override;
  HTREEITEM GetParentItem(HTREEITEM item) const override;
  HTREEITEM GetChildItem(HTREEITEM item) const override;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const override;
  std::string GetItemText(HTREEITEM item) const override;
  void Expand(HTREEITEM item) override;
  bool IsExpanded(HTREEITEM item) const override;
  void SelectItem(HTREEITEM item) override;
  HTREEITEM GetSelectedItem() const override;

  // The control's items and the core's are the same objects.
  static ::HTREEITEM ToWin(HTREEITEM item) { return reinterpret_cast<::HTREEITEM>(item); }
  static HTREEITEM ToCore(::HTREEITEM item) { return reinterpret_cast<HTREEITEM>(item); }

 protected:
  const fw::win32::MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnKeyDown(WPARAM, LPARAM);
  LRESULT OnSysKeyDown(WPARAM, LPARAM);
  LRESULT OnChar(WPARAM, LPARAM);
  LRESULT OnRButtonDown(WPARAM, LPARAM);
  LRESULT OnContextMenu(WPARAM, LPARAM) { return 0; }  // the menu comes with the button or the key

  void ShowContextMenu(POINT screen) const;
  void ShowContextMenuAtSelection() const;

  fw::win32::CTypedSearch m_search;
  HWND m_commandWindow = nullptr;
};

}  // namespace tree::win32
