// Menus, accelerators and update-UI built from the resource templates, read
// back from the system's own objects.
#include <gtest/gtest.h>

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

// Id, type and text of a menu's item at a position.
std::tuple<UINT, UINT, std::wstring> ReadItem(HMENU menu, int position) {
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
    EXPECT_EQ(std::get<2>(ReadItem(bar.Handle(), static_cast<int>(p))), platform::win32::Widen(tpl.popups[p].title));
    const HMENU popup = bar.SubMenu(static_cast<int>(p));
    ASSERT_EQ(::GetMenuItemCount(popup), static_cast<int>(tpl.popups[p].items.size()));
    for (std::size_t i = 0; i < tpl.popups[p].items.size(); ++i) {
      const res::MenuItem& want = tpl.popups[p].items[i];
      const auto [id, type, text] = ReadItem(popup, static_cast<int>(i));
      EXPECT_EQ(want.id == ID_SEPARATOR, (type & MFT_SEPARATOR) != 0) << p << "/" << i;
      if (want.id == ID_SEPARATOR) continue;
      EXPECT_EQ(id, want.id);
      EXPECT_EQ(text, platform::win32::Widen(want.text));
    }
  }
  // Umlauts, mnemonics and key texts come through the conversion whole.
  EXPECT_EQ(std::get<2>(ReadItem(bar.SubMenu(0), 0)), L"&Drucken...\tStrg+P");
  EXPECT_EQ(std::get<2>(ReadItem(bar.SubMenu(2), 0)), L"Inf&o \u00FCber Kolbrin...");
}

TEST(Win32Accelerators, TableHoldsTheKeysAndSendsTheirCommands) {
  const fw::win32::CAcceleratorTable table(res::MainAccelerators());
  EXPECT_EQ(::CopyAcceleratorTableW(table.Handle(), nullptr, 0), 3);

  // A key down with the keyboard's state as the user holds it: F6 alone,
  // Shift+F6, Ctrl+P; a plain P is no command.
  win32test::CHostWindow host;
  BYTE keys[256] = {};
  const auto press = [&](UINT vk, BYTE ctrl, BYTE shift) {
    keys[VK_CONTROL] = ctrl;
    keys[VK_SHIFT] = shift;
    ::SetKeyboardState(keys);
    MSG msg{host.Handle(), WM_KEYDOWN, vk, 1, 0, {}};
    return table.Translate(host.Handle(), msg);
  };
  EXPECT_TRUE(press(VK_F6, 0, 0));
  EXPECT_TRUE(press(VK_F6, 0, 0x80));
  EXPECT_TRUE(press('P', 0x80, 0));
  EXPECT_FALSE(press('P', 0, 0));
  EXPECT_EQ(host.commands, (std::vector<UINT>{ID_NEXT_PANE, ID_PREV_PANE, ID_FILE_PRINT}));
}

// A handler of each kind the update-UI has to tell apart: print with its
// update, directory information checked by its update, exit without one.
class CTarget : public fw::CCmdTarget {
 public:
  bool on = false;

 protected:
  const fw::RouteMap* GetRouteMap() const override {
    using fw::Route::Command;
    using fw::Route::Update;
    static const fw::RouteEntry entries[] = {
        Command<&CTarget::OnNothing>(ID_FILE_PRINT),   Update<&CTarget::OnUpdatePrint>(ID_FILE_PRINT),
        Command<&CTarget::OnNothing>(ID_VIEW_DIRSCAN), Update<&CTarget::OnUpdateDirScan>(ID_VIEW_DIRSCAN),
        Command<&CTarget::OnNothing>(ID_APP_EXIT),
    };
    static const fw::RouteMap map{entries, nullptr};
    return &map;
  }

 private:
  void OnNothing() {}
  void OnUpdatePrint(fw::CCmdUI* ui) { ui->Enable(on); }
  void OnUpdateDirScan(fw::CCmdUI* ui) { ui->SetCheck(on); }
};

TEST(Win32UpdateUI, MenuItemsAndToolbarButtonsFollowTheRouting) {
  CTarget target;
  const CMenu bar = CMenu::MenuBar(res::MainMenu());
  const auto state = [&](UINT id) {
    return static_cast<UINT>(::GetMenuState(bar.Handle(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED));
  };
  win32test::CHostWindow host;
  fw::win32::CToolBarCtrl toolbar;
  fw::win32::CImageList images;
  ASSERT_TRUE(toolbar.Create(host.Handle(), 1));
  ASSERT_TRUE(images.LoadStrip(IDB_TOOLBAR, 16, 15, RGB(192, 192, 192), 96));
  toolbar.SetImageList(images.Handle());
  ASSERT_TRUE(toolbar.AddButtons(res::MainToolbar()));
  EXPECT_EQ(toolbar.ButtonCount(), 7);

  for (const bool on : {false, true, false}) {
    target.on = on;
    for (int p = 0; p < bar.ItemCount(); ++p) fw::win32::CMenuCmdUI::UpdatePopup(bar.SubMenu(p), target);
    fw::win32::CToolBarCmdUI::UpdateButtons(toolbar, target);
    const std::array got{state(ID_FILE_PRINT), state(ID_VIEW_DIRSCAN), state(ID_APP_EXIT), state(ID_EXPORT_FILE)};
    EXPECT_EQ(got, (std::array{on ? 0u : UINT{MF_GRAYED}, on ? UINT{MF_CHECKED} : 0u, 0u, UINT{MF_GRAYED}})) << on;
    EXPECT_EQ(std::pair(toolbar.IsButtonEnabled(ID_FILE_PRINT), toolbar.IsButtonChecked(ID_VIEW_DIRSCAN)),
              std::pair(on, on));
    EXPECT_EQ(std::pair(toolbar.IsButtonEnabled(ID_APP_EXIT), toolbar.IsButtonEnabled(ID_APP_ABOUT)),
              std::pair(true, false));
  }
}

}  // namespace
