#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/buttons.h"
#include "classlib/extctrls.h"
#include "classlib/radiogroup.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;

// A small dialog as the print settings dialog is built: a check box, a radio
// group, OK and Cancel.
class Dialog : public TForm {
public:
    explicit Dialog(TComponent* owner) : TForm(owner) {
        SetBounds(100, 100, 320, 200);
        SetBorderStyle(bsDialog);
        SetCaption("印刷設定");
        SetPosition(poScreenCenter);
        check = new TCheckBox(this);
        check->SetParent(this);
        check->SetBounds(16, 12, 120, 17);
        check->SetCaption("行番号(&I)");
        group = new TRadioGroup(this);
        group->SetParent(this);
        group->SetBounds(16, 36, 280, 42);
        group->SetCaption(" 段組(&C) ");
        group->SetColumns(3);
        group->Items()->SetText("1\r\n2\r\n3");
        group->SetItemIndex(0);
        ok = new TBitBtn(this);
        ok->SetParent(this);
        ok->SetKind(bkOK);
        ok->SetBounds(60, 120, 89, 25);
        cancel = new TButton(this);
        cancel->SetParent(this);
        cancel->SetCaption("キャンセル");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetBounds(160, 120, 89, 25);
    }
    TCheckBox* check;
    TRadioGroup* group;
    TBitBtn* ok;
    TButton* cancel;
};

class StdCtrlsTest : public UiTest {};

TEST_F(StdCtrlsTest, ClickingOkEndsTheModalDialogWithOk) {
    Dialog* d = nullptr;
    Application->CreateForm(d);
    headless->AddIdleStep([&] { Click(d->ok); });
    EXPECT_EQ(d->ShowModal(), mrOk);
    delete d;
}

TEST_F(StdCtrlsTest, EnterPressesTheDefaultAndEscapeTheCancelButton) {
    Dialog* d = nullptr;
    Application->CreateForm(d);
    headless->AddIdleStep([&] { Press(win32::VK_RETURN); });
    EXPECT_EQ(d->ShowModal(), mrOk);
    headless->AddIdleStep([&] { Press(win32::VK_ESCAPE); });
    EXPECT_EQ(d->ShowModal(), mrCancel);
    delete d;
}

TEST_F(StdCtrlsTest, CheckBoxesRadioGroupsAndAccelerators) {
    Dialog* d = nullptr;
    Application->CreateForm(d);
    int groupClicks = 0;
    d->group->OnClick = [&](TObject*) { ++groupClicks; };
    d->Show();
    Pump();
    Click(d->check);
    EXPECT_TRUE(d->check->Checked());
    EXPECT_TRUE(d->check->Focused());
    Press(win32::VK_SPACE);
    EXPECT_FALSE(d->check->Checked());
    Click(d->group->Buttons(2));
    EXPECT_EQ(d->group->ItemIndex(), 2);
    EXPECT_TRUE(d->group->Buttons(2)->Checked());
    EXPECT_FALSE(d->group->Buttons(0)->Checked());
    EXPECT_EQ(groupClicks, 1);
    d->group->SetItemIndex(1);
    EXPECT_EQ(groupClicks, 2) << "a new item index clicks as the library does";
    // Alt+I reaches the check box as its accelerator.
    Key(win32::VK_MENU, true);
    Key('I', true);
    Key('I', false);
    Key(win32::VK_MENU, false);
    Pump();
    EXPECT_TRUE(d->check->Checked());
    // Tab walks the tab order.
    d->check->SetFocus();
    Pump();
    Press(win32::VK_TAB);
    EXPECT_TRUE(d->group->Buttons(1)->Focused()) << "the checked radio button is the group's tab stop";
    delete d;
}

TEST_F(StdCtrlsTest, DialogScreenshot) {
    Dialog* d = nullptr;
    Application->CreateForm(d);
    d->check->SetChecked(true);
    d->Show();
    Pump();
    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    EXPECT_TRUE(headless->SaveScreenPng(std::string(dir != nullptr ? dir : ".") + "/classlib_dialog.png"));
    delete d;
}

}  // namespace
}  // namespace classlib
