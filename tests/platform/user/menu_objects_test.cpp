// Menu handles and their items: building, reading, changing and removing
// items with both the flag form and MENUITEMINFOA, and bad input (destroyed
// handles, identifiers that do not exist, positions out of range, cycles).
#include "tests/platform/user/menu_fixture.h"

namespace test {
namespace {

class MenuObjects : public WindowTest {};

std::string StringOf(HMENU menu, UINT id, UINT flags) {
    char buf[64] = {};
    int n = GetMenuStringA(menu, id, buf, sizeof buf, flags);
    return std::string(buf, static_cast<std::size_t>(n));
}

TEST_F(MenuObjects, ItemsAreFoundByPositionAndByCommandThroughSubmenus) {
    MemoMenu m = BuildMemoMenu();
    EXPECT_TRUE(IsMenu(m.bar));
    EXPECT_EQ(GetMenuItemCount(m.bar), 7);
    EXPECT_EQ(GetMenuItemCount(m.popups[0]), 12);
    EXPECT_EQ(GetSubMenu(m.bar, 5), m.popups[5]);
    EXPECT_EQ(GetSubMenu(m.popups[5], 3), m.sizeMenu);
    // Items that open a submenu have no command identifier of their own.
    EXPECT_EQ(GetMenuItemID(m.bar, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuItemID(m.popups[0], 1), static_cast<UINT>(kOpen));
    EXPECT_EQ(GetMenuItemID(m.popups[0], 4), 0u);  // a separator
    // By command, the search goes down into the submenus.
    EXPECT_EQ(StringOf(m.bar, kMedium, MF_BYCOMMAND), "ミディアム(&M)");
    EXPECT_EQ(StringOf(m.bar, 3, MF_BYPOSITION), "検索(&S)");
    EXPECT_EQ(StringOf(m.popups[1], kCut, MF_BYCOMMAND), "切り取り(&T)\tCtrl+X");
    // A submenu item reports its item count in the high byte of its state.
    EXPECT_EQ(GetMenuState(m.bar, 5, MF_BYPOSITION), (4u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(m.popups[2], kWrap, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(m.popups[0], 4, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    // Asking for the length only.
    EXPECT_EQ(GetMenuStringA(m.bar, kNew, nullptr, 0, MF_BYCOMMAND), static_cast<int>(std::string("新規作成(&N)").size()));
    DestroyMenu(m.bar);
}

TEST_F(MenuObjects, InsertingBeforePositionsAndCommands) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 10, "A");
    AppendMenuA(menu, MF_STRING, 30, "C");
    EXPECT_TRUE(InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, 20, "B"));
    EXPECT_TRUE(InsertMenuA(menu, 10, MF_BYCOMMAND | MF_STRING, 5, "first"));
    EXPECT_TRUE(InsertMenuA(menu, 0xFFFFFFFFu, MF_BYPOSITION | MF_STRING, 40, "last"));
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    EXPECT_EQ(ids, (std::vector<UINT>{5, 10, 20, 30, 40}));
    // Before a command that does not exist there is no place to insert.
    EXPECT_FALSE(InsertMenuA(menu, 99, MF_BYCOMMAND | MF_STRING, 50, "x"));

    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
    info.fType = MFT_RADIOCHECK;
    info.fState = MFS_CHECKED | MFS_DEFAULT;
    info.wID = 25;
    info.dwItemData = 1234;
    char text[] = "radio";
    info.dwTypeData = text;
    EXPECT_TRUE(InsertMenuItemA(menu, 30, FALSE, &info));
    MENUITEMINFOA back{};
    back.cbSize = sizeof(back);
    back.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
    char buf[3] = {};
    back.dwTypeData = buf;
    back.cch = sizeof buf;
    EXPECT_TRUE(GetMenuItemInfoA(menu, 3, TRUE, &back));
    EXPECT_EQ(back.wID, 25u);
    EXPECT_EQ(back.fType, static_cast<UINT>(MFT_RADIOCHECK));
    EXPECT_EQ(back.fState, static_cast<UINT>(MFS_CHECKED | MFS_DEFAULT));
    EXPECT_EQ(back.dwItemData, 1234u);
    EXPECT_EQ(std::string(buf), "ra");  // cut to the buffer
    EXPECT_EQ(back.cch, 2u);
    back.dwTypeData = nullptr;
    back.cch = 0;
    GetMenuItemInfoA(menu, 3, TRUE, &back);
    EXPECT_EQ(back.cch, 5u);  // without a buffer: the length
    // A structure of an unknown size is refused.
    info.cbSize = 12;
    EXPECT_FALSE(InsertMenuItemA(menu, 0, TRUE, &info));
    DestroyMenu(menu);
}

TEST_F(MenuObjects, OwnerDrawnModificationKeepsSubmenusAndCarriesItemData) {
    MemoMenu m = BuildMemoMenu();
    // What the menu decoration does to every item: modify by command with
    // MF_OWNERDRAW and its own value as item data.
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    info.wID = 900;
    ASSERT_TRUE(SetMenuItemInfoA(m.bar, 0, TRUE, &info));  // ファイル gets a command of its own
    char* self = reinterpret_cast<char*>(0x5150);
    EXPECT_TRUE(ModifyMenuA(m.bar, 900, MF_BYCOMMAND | MF_OWNERDRAW, 900, self));
    EXPECT_EQ(GetSubMenu(m.bar, 0), m.popups[0]);
    EXPECT_TRUE(ModifyMenuA(m.bar, kWrap, MF_BYCOMMAND | MF_OWNERDRAW | MF_CHECKED, kWrap, self));
    MENUITEMINFOA back{};
    back.cbSize = sizeof(back);
    back.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
    GetMenuItemInfoA(m.popups[2], kWrap, FALSE, &back);
    EXPECT_EQ(back.fType, static_cast<UINT>(MFT_OWNERDRAW));
    EXPECT_EQ(back.dwItemData, 0x5150u);
    EXPECT_EQ(back.fState, static_cast<UINT>(MFS_CHECKED));
    // An owner-drawn item has no text the system knows.
    EXPECT_EQ(StringOf(m.popups[2], kWrap, MF_BYCOMMAND), "");
    // Several separators share identifier 0; by command only the first is reached.
    EXPECT_TRUE(ModifyMenuA(m.popups[0], 0, MF_BYCOMMAND | MF_OWNERDRAW | MF_SEPARATOR, 0, self));
    EXPECT_EQ(GetMenuState(m.popups[0], 4, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW));
    EXPECT_EQ(GetMenuState(m.popups[0], 8, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    DestroyMenu(m.bar);
}

TEST_F(MenuObjects, CheckRadioEnableAndDefault) {
    MemoMenu m = BuildMemoMenu();
    HMENU size = m.sizeMenu;
    EXPECT_EQ(CheckMenuItem(size, kSmall, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(size, kSmall, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_TRUE(CheckMenuRadioItem(size, 0, 2, 1, MF_BYPOSITION));
    EXPECT_EQ(GetMenuState(size, 1, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK));
    EXPECT_TRUE(CheckMenuRadioItem(size, kSmall, kLarge, kLarge, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(size, 1, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(size, 2, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    // The checked item must lie in the range.
    EXPECT_FALSE(CheckMenuRadioItem(size, 0, 1, 2, MF_BYPOSITION));

    EXPECT_EQ(EnableMenuItem(m.bar, kPaste, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(m.bar, kPaste, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(m.bar, 9999, MF_BYCOMMAND | MF_GRAYED), -1);

    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], FALSE, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(SetMenuDefaultItem(m.popups[0], kOpen, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], FALSE, 0), static_cast<UINT>(kOpen));
    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], TRUE, 0), 1u);
    EXPECT_TRUE(SetMenuDefaultItem(m.popups[0], 2, TRUE));
    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], FALSE, 0), static_cast<UINT>(kSave));
    EnableMenuItem(m.popups[0], kSave, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], FALSE, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], FALSE, GMDI_USEDISABLED), static_cast<UINT>(kSave));
    EXPECT_TRUE(SetMenuDefaultItem(m.popups[0], 0xFFFFFFFFu, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(m.popups[0], FALSE, GMDI_USEDISABLED), 0xFFFFFFFFu);
    EXPECT_FALSE(SetMenuDefaultItem(m.popups[0], 9999, FALSE));
    DestroyMenu(m.bar);
}

TEST_F(MenuObjects, DeleteDestroysTheSubmenuRemoveKeepsItAndDestroyGoesDown) {
    MemoMenu m = BuildMemoMenu();
    EXPECT_TRUE(RemoveMenu(m.popups[5], 3, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(m.sizeMenu));
    AppendMenuA(m.popups[5], MF_POPUP, reinterpret_cast<UINT_PTR>(m.sizeMenu), "サイズ");
    EXPECT_TRUE(DeleteMenu(m.popups[5], 3, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(m.sizeMenu));
    EXPECT_TRUE(DeleteMenu(m.bar, kCopy, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(m.popups[1]), 6);
    EXPECT_TRUE(DestroyMenu(m.bar));
    for (HMENU popup : m.popups) EXPECT_FALSE(IsMenu(popup));
}

TEST_F(MenuObjects, BadHandlesIdentifiersAndPositionsFailQuietly) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "one");
    DestroyMenu(menu);
    HMENU made = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0x12345678));
    for (HMENU bad : {menu, made, static_cast<HMENU>(nullptr)}) {
        EXPECT_FALSE(IsMenu(bad));
        EXPECT_FALSE(DestroyMenu(bad));
        EXPECT_FALSE(AppendMenuA(bad, MF_STRING, 2, "two"));
        EXPECT_EQ(GetMenuItemCount(bad), -1);
        EXPECT_EQ(GetMenuItemID(bad, 0), 0xFFFFFFFFu);
        EXPECT_EQ(GetSubMenu(bad, 0), nullptr);
        EXPECT_EQ(GetMenuState(bad, 0, MF_BYPOSITION), 0xFFFFFFFFu);
        EXPECT_EQ(GetMenuStringA(bad, 0, nullptr, 0, MF_BYPOSITION), 0);
        EXPECT_EQ(CheckMenuItem(bad, 1, MF_CHECKED), 0xFFFFFFFFu);
        EXPECT_FALSE(ModifyMenuA(bad, 0, MF_BYPOSITION, 1, "x"));
        EXPECT_FALSE(DeleteMenu(bad, 0, MF_BYPOSITION));
        EXPECT_FALSE(TrackPopupMenu(bad, 0, 0, 0, 0, nullptr, nullptr));
        EXPECT_EQ(GetMenuItemRect(nullptr, bad, 0, nullptr), FALSE);
        EXPECT_EQ(MenuItemFromPoint(nullptr, bad, POINT{0, 0}), -1);
    }
    HMENU live = CreatePopupMenu();
    AppendMenuA(live, MF_STRING, 1, "one");
    EXPECT_EQ(GetMenuItemID(live, 1), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuItemID(live, -1), 0xFFFFFFFFu);
    EXPECT_EQ(GetSubMenu(live, -5), nullptr);
    EXPECT_EQ(GetMenuState(live, 7, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_FALSE(ModifyMenuA(live, 3, MF_BYPOSITION, 1, "x"));
    EXPECT_FALSE(RemoveMenu(live, 42, MF_BYCOMMAND));
    char buf[8] = "keep";
    EXPECT_EQ(GetMenuStringA(live, 42, buf, sizeof buf, MF_BYCOMMAND), 0);
    // A submenu that is no menu, or one that would hold its own parent.
    EXPECT_FALSE(AppendMenuA(live, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "dead"));
    EXPECT_FALSE(AppendMenuA(live, MF_POPUP, reinterpret_cast<UINT_PTR>(live), "itself"));
    HMENU child = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(live, MF_POPUP, reinterpret_cast<UINT_PTR>(child), "child"));
    EXPECT_FALSE(AppendMenuA(child, MF_POPUP, reinterpret_cast<UINT_PTR>(live), "loop"));
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = live;
    EXPECT_FALSE(SetMenuItemInfoA(child, 0, TRUE, &info));
    EXPECT_EQ(GetMenuItemCount(child), 0);
    EXPECT_TRUE(DestroyMenu(live));
    EXPECT_FALSE(IsMenu(child));
}

TEST_F(MenuObjects, MenuInfoAppliesToSubmenusWhenAsked) {
    MemoMenu m = BuildMemoMenu();
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA | MIM_MAXHEIGHT | MIM_APPLYTOSUBMENUS;
    info.dwMenuData = 77;
    info.cyMax = 300;
    EXPECT_TRUE(SetMenuInfo(m.popups[5], &info));
    MENUINFO back{};
    back.cbSize = sizeof(back);
    back.fMask = MIM_MENUDATA | MIM_MAXHEIGHT;
    EXPECT_TRUE(GetMenuInfo(m.sizeMenu, &back));
    EXPECT_EQ(back.dwMenuData, 77u);
    EXPECT_EQ(back.cyMax, 300u);
    EXPECT_TRUE(GetMenuInfo(m.bar, &back));
    EXPECT_EQ(back.dwMenuData, 0u);
    back.cbSize = 3;
    EXPECT_FALSE(GetMenuInfo(m.bar, &back));
    DestroyMenu(m.bar);
}

}  // namespace
}  // namespace test
