// Menus, accelerators and update-UI built from the resource templates, read
// back from the system's own objects.
#include <gtest/gtest.h>

#include <string>

#include "framework/CmdUI.h"
#include "framework/win32/AcceleratorTable.h"
#include "framework/win32/ImageList.h"
#include "framework/win32/Menu.h"
#include "framework/win32/MenuCmdUI.h"
#include "framework/win32/ToolBarCmdUI.h"
#include "platform/win32/Utf16.h"
#include "res/Templates.h"
#include "tests/win32/gui/TestWindows.h"

namespace {

using fw::win32::CMenu;
using platform::win32::Widen;

struct ItemInfo {
  UINT id = 0;
  UINT type = 0;
  std::wstring text;
};

ItemInfo ReadItem(HMENU menu, int position) {
  wchar_t text[128] = {};
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
  mii.dwTypeData = text;
  mii.cch = 128;
  EXPECT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii));
  return {mii.wID, mii.fType, text};
}

TEST(Win32Menu, MainMenuHoldsTheTemplatesGermanItemsAndIds) {
  const res::MenuTemplate& tpl = res::MainMenu();
  const CMenu bar = CMenu::MenuBar(tpl);
  ASSERT_EQ(bar.ItemCount(), static_cast<int>(tpl.popups.size()));
  for (std::size_t p = 0; p < tpl.popups.size(); ++p) {
    const int pos = static_cast<int>(p);
    EXPECT_EQ(ReadItem(bar.Handle(), pos).text, Widen(tpl.popups[p].title));
    const HMENU popup = bar.SubMenu(pos);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(::GetMenuItemCount(popup), static_cast<int>(tpl.popups[p].items.size()));
    for (std::size_t i = 0; i < tpl.popups[p].items.size(); ++i) {
      const res::MenuItem& want = tpl.popups[p].items[i];
      const ItemInfo got = ReadItem(popup, static_cast<int>(i));
      if (want.id == ID_SEPARATOR) {
        EXPECT_TRUE(got.type & MFT_SEPARATOR) << p << "/" << i;
      } else {
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.text, Widen(want.text));
      }
    }
  }
  // Umlauts, mnemonics and key texts come through the conversion whole.
  EXPECT_EQ(ReadItem(bar.SubMenu(0), 0).text, L"&Drucken...\tStrg+P");
  EXPECT_EQ(ReadItem(bar.SubMenu(2), 0).text, L"Inf&o \u00FCber Kolbrin...");
  EXPECT_EQ(ReadItem(bar.SubMenu(1), 0).text, L"Gro\u00DFe Symbole");
}

TEST(Win32Accelerators, TableHoldsTheKeysAndSendsTheirCommands) {
  const fw::win32::CAcceleratorTable table(res::MainAccelerators());
  ACCEL got[8] = {};
  ASSERT_EQ(::CopyAcceleratorTableW(table.Handle(), got, 8), 3);
  EXPECT_EQ(got[0].key, 'P');
  EXPECT_EQ(got[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(got[0].cmd, ID_FILE_PRINT);
  EXPECT_EQ(got[1].key, VK_F6);
  EXPECT_EQ(got[1].fVirt, FVIRTKEY);
  EXPECT_EQ(got[1].cmd, ID_NEXT_PANE);
  EXPECT_EQ(got[2].key, VK_F6);
  EXPECT_EQ(got[2].fVirt, FVIRTKEY | FSHIFT);
  EXPECT_EQ(got[2].cmd, ID_PREV_PANE);

  // A key down with the keyboard's state as the user holds it: F6 alone,
  // then Ctrl+P; a plain P is no command.
  win32test::CHostWindow host;
  BYTE keys[256] = {};
  const auto press = [&](UINT vk, bool ctrl, bool shift) {
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    MSG msg{host.Handle(), WM_KEYDOWN, vk, 1, 0, {}};
    return table.Translate(host.Handle(), msg);
  };
  EXPECT_TRUE(press(VK_F6, false, false));
  EXPECT_TRUE(press(VK_F6, false, true));
  EXPECT_TRUE(press('P', true, false));
  EXPECT_FALSE(press('P', false, false));
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(host.commands, (std::vector<UINT>{ID_NEXT_PANE, ID_PREV_PANE, ID_FILE_PRINT}));
}

// A target with a handler of each kind the update-UI has to tell apart.
class CTarget : public fw::CCmdTarget {
 public:
  bool printable = false;
  bool scanning = true;

 protected:
  const fw::RouteMap* GetRouteMap() const override {
    using fw::Route::Command;
    using fw::Route::Update;
    static const fw::RouteEntry entries[] = {
        Command<&CTarget::OnNothing>(ID_FILE_PRINT),        Update<&CTarget::OnUpdatePrint>(ID_FILE_PRINT),
        Command<&CTarget::OnNothing>(ID_VIEW_DIRSCAN),      Update<&CTarget::OnUpdateDirScan>(ID_VIEW_DIRSCAN),
        Command<&CTarget::OnNothing>(ID_APP_EXIT),
    };
    static const fw::RouteMap map{entries, nullptr};
    return &map;
  }

 private:
  void OnNothing() {}
  void OnUpdatePrint(fw::CCmdUI* ui) { ui->Enable(printable); }
  void OnUpdateDirScan(fw::CCmdUI* ui) { ui->SetCheck(scanning); }
};

TEST(Win32UpdateUI, MenuItemsAndToolbarButtonsFollowTheRouting) {
  CTarget target;
  const CMenu bar = CMenu::MenuBar(res::MainMenu());
  const HMENU action = bar.SubMenu(0);
  const HMENU view = bar.SubMenu(1);
  const auto state = [](HMENU m, UINT id) { return ::GetMenuState(m, id, MF_BYCOMMAND); };

  fw::win32::CMenuCmdUI::UpdatePopup(action, target);
  fw::win32::CMenuCmdUI::UpdatePopup(view, target);
  EXPECT_TRUE(state(action, ID_FILE_PRINT) & MF_GRAYED);        // its update disables it
  EXPECT_FALSE(state(action, ID_APP_EXIT) & MF_GRAYED);         // a handler and no update
  EXPECT_TRUE(state(action, ID_EXPORT_FILE) & MF_GRAYED);       // nobody handles it
  EXPECT_TRUE(state(view, ID_VIEW_DIRSCAN) & MF_CHECKED);
  EXPECT_FALSE(state(view, ID_VIEW_DIRSCAN) & MF_GRAYED);

  target.printable = true;
  target.scanning = false;
  fw::win32::CMenuCmdUI::UpdatePopup(action, target);
  fw::win32::CMenuCmdUI::UpdatePopup(view, target);
  EXPECT_FALSE(state(action, ID_FILE_PRINT) & MF_GRAYED);
  EXPECT_FALSE(state(view, ID_VIEW_DIRSCAN) & MF_CHECKED);

  // The toolbar of the main frame: the same rules for its buttons.
  win32test::CHostWindow host;
  fw::win32::CToolBarCtrl bar2;
  ASSERT_TRUE(bar2.Create(host.Handle(), 1));
  fw::win32::CImageList images;
  ASSERT_TRUE(images.LoadStrip(IDB_TOOLBAR, 16, 15, RGB(192, 192, 192), 96));
  EXPECT_EQ(images.Count(), 5);
  bar2.SetImageList(images.Handle());
  ASSERT_TRUE(bar2.AddButtons(res::MainToolbar()));
  EXPECT_EQ(bar2.ButtonCount(), static_cast<int>(res::MainToolbar().buttons.size()));
  target.printable = false;
  target.scanning = true;
  fw::win32::CToolBarCmdUI::UpdateButtons(bar2, target);
  EXPECT_FALSE(bar2.IsButtonEnabled(ID_FILE_PRINT));
  EXPECT_TRUE(bar2.IsButtonChecked(ID_VIEW_DIRSCAN));
  EXPECT_TRUE(bar2.IsButtonEnabled(ID_APP_EXIT));
  EXPECT_FALSE(bar2.IsButtonEnabled(ID_APP_ABOUT));
  target.printable = true;
  target.scanning = false;
  fw::win32::CToolBarCmdUI::UpdateButtons(bar2, target);
  EXPECT_TRUE(bar2.IsButtonEnabled(ID_FILE_PRINT));
  EXPECT_FALSE(bar2.IsButtonChecked(ID_VIEW_DIRSCAN));
}

}  // namespace
