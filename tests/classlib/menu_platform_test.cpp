// The library's menus on the window system's menus: a main menu as the
// form's menu bar, clicks reaching OnClick through WM_COMMAND, OnClick of
// an item with a submenu when it opens, items kept in step with their
// handles, pop-up menus, and a menu bar that survives its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/menus.h"
#include "classlib/messages.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;
using namespace win32;

class RecordingForm : public TForm {
public:
    using TForm::TForm;
    int menuChanges = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_MENUCHANGED) ++menuChanges;
        TForm::WndProc(m);
    }
};

class MenuPlatformTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new RecordingForm(nullptr);
        form->SetBounds(100, 80, 563, 441);
        menu = new TMainMenu(form);
        file = Top("ファイル(&F)");
        open = Add(file, "開く(&O)");
        Add(file, "-");
        exit = Add(file, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
        edit = Top("編集(&E)");
        undo = Add(edit, "元に戻す(&U)");
        cut = Add(edit, "切り取り(&T)");
        cut->SetShortCut(ShortCut('X', {ssCtrl}));
        options = Top("オプション(&O)");
        size = Add(options, "サイズ");
        large = Add(size, "ラージ(&L)");
        form->SetMenu(menu);
        form->Show();
        Pump();
    }
    void TearDown() override {
        delete form;
        UiTest::TearDown();
    }

    TMenuItem* Top(const std::string& caption) { return Add(menu->Items(), caption); }
    TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
        parent->Add(item);
        return item;
    }
    HWND Window() { return form->Handle(); }
    TPoint BarItem(int index) {
        RECT r{};
        EXPECT_TRUE(GetMenuItemRect(Window(), GetMenu(Window()), static_cast<UINT>(index), &r));
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    TPoint PopupItem(TMenuItem* parent, int index) {
        RECT r{};
        EXPECT_TRUE(GetMenuItemRect(nullptr, parent->Handle(), static_cast<UINT>(index), &r));
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void QueueClick(TPoint p) {
        headless->MouseMove(p);
        headless->MouseButton(p, backend::MouseButton::Left, true);
        headless->MouseButton(p, backend::MouseButton::Left, false);
    }
    void QueueKey(UINT vk) {
        headless->Key(vk, true);
        headless->Key(vk, false);
    }
    std::string Text(HMENU m, int position) {
        char buf[64] = {};
        GetMenuStringA(m, static_cast<UINT>(position), buf, sizeof buf, MF_BYPOSITION);
        return buf;
    }

    RecordingForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *open = nullptr, *exit = nullptr, *edit = nullptr, *undo = nullptr, *cut = nullptr;
    TMenuItem *options = nullptr, *size = nullptr, *large = nullptr;
    std::vector<std::string> clicks;
};

TEST_F(MenuPlatformTest, TheMainMenuIsTheFormsMenuBar) {
    HMENU bar = GetMenu(Window());
    ASSERT_EQ(bar, menu->Handle());
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(Text(bar, 1), "編集(&E)");
    EXPECT_EQ(GetSubMenu(bar, 0), file->Handle());
    EXPECT_EQ(Text(edit->Handle(), 1), "切り取り(&T)\tCtrl+X");  // the shortcut after a tab
    EXPECT_EQ(GetMenuState(file->Handle(), 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetSubMenu(options->Handle(), 0), size->Handle());
    // Every item is found by its command, also one with a submenu.
    EXPECT_EQ(GetMenuState(bar, edit->Command(), MF_BYCOMMAND) & MF_POPUP, static_cast<UINT>(MF_POPUP));
    EXPECT_EQ(menu->FindItem(GetMenuItemID(file->Handle(), 0), fkCommand), open);
    EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(bar, 2)), fkHandle), options);
}

TEST_F(MenuPlatformTest, ChoosingAnItemRunsItsOnClick) {
    headless->AddIdleStep([&] { QueueClick(PopupItem(file, 0)); });
    Click(BarItem(0));
    EXPECT_EQ(clicks, (std::vector<std::string>{"ファイル(&F)", "開く(&O)"}));
    clicks.clear();
    headless->AddIdleStep([&] { QueueClick(PopupItem(options, 0)); });
    headless->AddIdleStep([&] { QueueClick(PopupItem(size, 0)); });
    Click(BarItem(2));
    EXPECT_EQ(clicks, (std::vector<std::string>{"オプション(&O)", "サイズ", "ラージ(&L)"}));
    // And with the keyboard.
    clicks.clear();
    headless->AddIdleStep([&] { QueueKey('X'); });
    Key(VK_MENU, true);
    Key('F', true);
    Key('F', false);
    Key(VK_MENU, false);
    Pump();
    EXPECT_EQ(clicks, (std::vector<std::string>{"ファイル(&F)", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
}

TEST_F(MenuPlatformTest, AnItemWithASubmenuRunsItsOnClickAsItOpens) {
    // As the main window's 編集 menu sets its items' state when it opens.
    edit->OnClick = [&](TObject*) {
        clicks.push_back("edit opens");
        undo->SetEnabled(false);
    };
    UINT undoState = 0;
    headless->AddIdleStep([&] {
        undoState = GetMenuState(edit->Handle(), undo->Command(), MF_BYCOMMAND);
        QueueClick(PopupItem(edit, 0));  // greyed now: nothing happens
    });
    headless->AddIdleStep([&] { QueueKey(VK_ESCAPE); });
    headless->AddIdleStep([&] { QueueKey(VK_ESCAPE); });
    Click(BarItem(1));
    EXPECT_EQ(clicks, (std::vector<std::string>{"edit opens"}));
    EXPECT_TRUE(undoState & MF_GRAYED);
}

TEST_F(MenuPlatformTest, ChangedItemsReachTheHandlesAndTheForm) {
    int before = form->menuChanges;
    undo->SetCaption("やり直し(&R)");
    EXPECT_EQ(Text(edit->Handle(), 0), "やり直し(&R)");
    cut->SetChecked(true);
    EXPECT_TRUE(GetMenuState(edit->Handle(), cut->Command(), MF_BYCOMMAND) & MF_CHECKED);
    cut->SetEnabled(false);
    EXPECT_TRUE(GetMenuState(edit->Handle(), cut->Command(), MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_GE(form->menuChanges, before + 3);
    // An invisible item leaves the bar, and comes back.
    edit->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(GetMenu(Window())), 2);
    edit->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(GetMenu(Window())), 3);
    auto* added = Add(menu->Items(), "ヘルプ(&H)");
    EXPECT_EQ(GetMenuItemCount(GetMenu(Window())), 4);
    delete added;
    EXPECT_EQ(GetMenuItemCount(GetMenu(Window())), 3);
}

TEST_F(MenuPlatformTest, AMenuBarOutlivesItsWindow) {
    // A new border style makes the form's window anew; the window system
    // takes the old menu bar with the old window.
    form->SetBorderStyle(bsSingle);
    Pump();
    HMENU bar = GetMenu(Window());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 3);
    headless->AddIdleStep([&] { QueueClick(PopupItem(file, 0)); });
    Click(BarItem(0));
    EXPECT_EQ(clicks.back(), "開く(&O)");
}

TEST_F(MenuPlatformTest, APopupMenuRunsTheChosenItem) {
    auto* popup = new TPopupMenu(form);
    std::vector<std::string> got;
    popup->OnPopup = [&](TObject*) { got.push_back("popup"); };
    auto* copy = new TMenuItem(form);
    copy->SetCaption("コピー(&C)");
    copy->OnClick = [&](TObject*) { got.push_back("copy"); };
    popup->Items()->Add(copy);
    headless->AddIdleStep([&] { QueueClick(PopupItem(popup->Items(), 0)); });
    popup->Popup(300, 300);
    EXPECT_EQ(got, (std::vector<std::string>{"popup", "copy"}));
    // Dismissed: nothing runs.
    got.clear();
    headless->AddIdleStep([&] { QueueKey(VK_ESCAPE); });
    popup->SetAlignment(paRight);
    popup->Popup(300, 300);
    EXPECT_EQ(got, (std::vector<std::string>{"popup"}));
}

}  // namespace
}  // namespace classlib
