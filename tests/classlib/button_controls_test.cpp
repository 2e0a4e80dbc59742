#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <map>

#include "classlib/buttons.h"
#include "platform/gdi/surface.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;
using win32::BM_GETCHECK;
using win32::SendMessageA;

class ButtonForm : public TForm {
public:
    explicit ButtonForm(TComponent* owner) : TForm(owner) {
        SetBounds(100, 100, 360, 220);
        SetCaption("ボタン");
        ok = Make<TButton>(this, "OK(&O)", 240, 10, 89, 25);
        ok->SetDefault(true);
        go = Make<TButton>(this, "実行(&G)", 240, 45, 89, 25);
        check = Make<TCheckBox>(this, "行番号(&L)", 10, 10, 150, 17);
        group = Make<TGroupBox>(this, "向き", 10, 40, 200, 80);
        up = Make<TRadioButton>(group, "上へ(&U)", 10, 20, 100, 17);
        down = Make<TRadioButton>(group, "下へ(&D)", 10, 45, 100, 17);
        for (TControl* c : std::initializer_list<TControl*>{ok, go, check, up, down}) {
            c->OnClick = [this, c](TObject*) { ++clicks[c]; };
        }
    }
    template <class T>
    T* Make(TWinControl* parent, const char* caption, int x, int y, int w, int h) {
        auto* c = new T(this);
        c->SetParent(parent);
        c->SetCaption(caption);
        c->SetBounds(x, y, w, h);
        return c;
    }
    win32::DWORD Type(TWinControl* c) {
        return static_cast<win32::DWORD>(win32::GetWindowLongA(c->Handle(), win32::GWL_STYLE)) & win32::BS_TYPEMASK;
    }
    win32::LRESULT WindowCheck(TWinControl* c) { return SendMessageA(c->Handle(), BM_GETCHECK, 0, 0); }

    TButton* ok;
    TButton* go;
    TCheckBox* check;
    TGroupBox* group;
    TRadioButton* up;
    TRadioButton* down;
    std::map<TControl*, int> clicks;
};

class ButtonControlsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Application->CreateForm(form);
        form->Show();
        Pump();
    }
    void TearDown() override {
        delete form;
        UiTest::TearDown();
    }
    void Alt(unsigned vk) {
        Key(win32::VK_MENU, true);
        Key(vk, true);
        Key(vk, false);
        Key(win32::VK_MENU, false);
        Pump();
    }
    ButtonForm* form = nullptr;
};

TEST_F(ButtonControlsTest, TheControlsAreWindowsOfTheButtonClass) {
    win32::WNDCLASSA button{};
    ASSERT_TRUE(win32::GetClassInfoA(nullptr, "BUTTON", &button));
    for (TWinControl* c : std::initializer_list<TWinControl*>{form->ok, form->check, form->group, form->up}) {
        EXPECT_EQ(c->DefWndProc(), button.lpfnWndProc) << c->Caption();
    }
    EXPECT_EQ(form->Type(form->ok), static_cast<win32::DWORD>(win32::BS_DEFPUSHBUTTON));
    EXPECT_EQ(form->Type(form->go), static_cast<win32::DWORD>(win32::BS_PUSHBUTTON));
    EXPECT_EQ(form->Type(form->check), static_cast<win32::DWORD>(win32::BS_AUTOCHECKBOX));
    EXPECT_EQ(form->Type(form->up), static_cast<win32::DWORD>(win32::BS_AUTORADIOBUTTON));
    EXPECT_EQ(form->Type(form->group), static_cast<win32::DWORD>(win32::BS_GROUPBOX));
}

TEST_F(ButtonControlsTest, TheDefaultLookFollowsTheFocusedButtonAndEnterPressesIt) {
    form->go->SetFocus();
    Pump();
    EXPECT_TRUE(form->go->Active());
    EXPECT_EQ(form->Type(form->go), static_cast<win32::DWORD>(win32::BS_DEFPUSHBUTTON));
    EXPECT_EQ(form->Type(form->ok), static_cast<win32::DWORD>(win32::BS_PUSHBUTTON));
    Press(win32::VK_RETURN);
    EXPECT_EQ(form->clicks[form->go], 1);
    EXPECT_EQ(form->clicks[form->ok], 0);
    // On a control that is no button the default button has it back.
    form->check->SetFocus();
    Pump();
    EXPECT_EQ(form->Type(form->ok), static_cast<win32::DWORD>(win32::BS_DEFPUSHBUTTON));
    EXPECT_EQ(form->Type(form->go), static_cast<win32::DWORD>(win32::BS_PUSHBUTTON));
    Press(win32::VK_RETURN);
    EXPECT_EQ(form->clicks[form->ok], 1);
    EXPECT_FALSE(form->check->Checked()) << "Enter does not tick the focused check box";
}

TEST_F(ButtonControlsTest, EachPressClicksOnce) {
    Click(form->go);
    EXPECT_EQ(form->clicks[form->go], 1);
    EXPECT_TRUE(form->go->Focused());
    Press(win32::VK_SPACE);
    EXPECT_EQ(form->clicks[form->go], 2);
    SendMessageA(form->go->Handle(), win32::BM_CLICK, 0, 0);
    EXPECT_EQ(form->clicks[form->go], 3);
    Alt('G');
    EXPECT_EQ(form->clicks[form->go], 4);
    // A quick second click on a push button is a press of its own.
    TPoint p = Center(form->go);
    for (int i = 0; i < 2; ++i) {
        headless->MouseButton(p, win32::backend::MouseButton::Left, true);
        headless->MouseButton(p, win32::backend::MouseButton::Left, false);
    }
    Pump();
    EXPECT_EQ(form->clicks[form->go], 6);
    form->go->SetEnabled(false);
    headless->Advance(1000);
    Click(form->go);
    EXPECT_EQ(form->clicks[form->go], 6) << "a disabled button does not click";
}

TEST_F(ButtonControlsTest, CheckBoxStateAndTheWindowsCheckGoTogether) {
    TCheckBox* check = form->check;
    Click(check);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(form->WindowCheck(check), win32::BST_CHECKED);
    EXPECT_EQ(form->clicks[check], 1);
    check->SetChecked(false);
    EXPECT_EQ(form->WindowCheck(check), win32::BST_UNCHECKED);
    EXPECT_EQ(form->clicks[check], 2) << "a state set by the program clicks too";
    check->SetChecked(false);
    EXPECT_EQ(form->clicks[check], 2) << "no change, no click";
    Alt('L');
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(check->Focused());

    // With AllowGrayed the clicks go unchecked, grayed, checked.
    check->SetChecked(false);
    check->SetAllowGrayed(true);
    Click(check);
    EXPECT_EQ(check->State(), cbGrayed);
    EXPECT_EQ(form->WindowCheck(check), win32::BST_INDETERMINATE);
    Press(win32::VK_SPACE);
    EXPECT_EQ(check->State(), cbChecked);
    Click(check);
    EXPECT_EQ(check->State(), cbUnchecked);
    EXPECT_EQ(form->WindowCheck(check), win32::BST_UNCHECKED);

    // The program may gray a box the user cannot gray; the window shows it.
    check->SetAllowGrayed(false);
    check->SetState(cbGrayed);
    EXPECT_EQ(form->WindowCheck(check), win32::BST_INDETERMINATE);
    Click(check);
    EXPECT_EQ(check->State(), cbChecked);

    // The state outlives a new window.
    check->SetAlignment(taLeftJustify);
    EXPECT_EQ(form->WindowCheck(check), win32::BST_CHECKED);
    EXPECT_NE(win32::GetWindowLongA(check->Handle(), win32::GWL_STYLE) & win32::BS_LEFTTEXT, 0);
}

TEST_F(ButtonControlsTest, ARadioButtonUnchecksItsSiblings) {
    form->up->SetChecked(true);
    EXPECT_EQ(form->WindowCheck(form->up), win32::BST_CHECKED);
    EXPECT_EQ(form->clicks[form->up], 1);
    EXPECT_TRUE(form->up->TabStop());
    Click(form->down);
    EXPECT_TRUE(form->down->Checked());
    EXPECT_FALSE(form->up->Checked());
    EXPECT_EQ(form->WindowCheck(form->up), win32::BST_UNCHECKED);
    EXPECT_FALSE(form->up->TabStop());
    EXPECT_EQ(form->clicks[form->down], 1);
    Click(form->down);
    EXPECT_EQ(form->clicks[form->down], 1) << "clicking the checked button changes nothing";
    Alt('U');
    EXPECT_TRUE(form->up->Checked());
    EXPECT_TRUE(form->up->Focused());
    EXPECT_EQ(form->WindowCheck(form->down), win32::BST_UNCHECKED);
    // The arrow keys move to the next button of the group and check it.
    Press(win32::VK_DOWN);
    EXPECT_TRUE(form->down->Focused());
    EXPECT_TRUE(form->down->Checked());
    form->down->SetAlignment(taLeftJustify);
    EXPECT_EQ(form->WindowCheck(form->down), win32::BST_CHECKED);
}

TEST_F(ButtonControlsTest, TheWindowsPaintInTheControlsColours) {
    auto pixel = [this](TControl* c, int x, int y) {
        TPoint p = c->ClientToScreen(Point(x, y));
        return win32::ColorFromPixel(headless->ScreenPixel(p.x, p.y)) & 0xFFFFFF;
    };
    form->check->SetParentColor(false);
    form->check->SetColor(clAqua);
    form->check->Font()->SetColor(clRed);
    form->group->SetColor(clYellow);
    Pump();
    EXPECT_EQ(pixel(form->check, form->check->Width() - 2, 1), ColorToRGB(clAqua));
    EXPECT_EQ(pixel(form->group, 5, form->group->Height() - 6), ColorToRGB(clYellow)) << "inside the frame";
    EXPECT_EQ(pixel(form->up, form->up->Width() - 2, 1), ColorToRGB(clYellow)) << "a radio button takes its parent's";
    int red = 0;
    for (int x = 16; x < form->check->Width(); ++x) {
        for (int y = 0; y < form->check->Height(); ++y) {
            // Anti-aliased glyphs: red over aqua loses green and blue.
            win32::COLORREF c = pixel(form->check, x, y);
            red += win32::GetRValue(c) > 160 && win32::GetGValue(c) < 120 && win32::GetBValue(c) < 120;
        }
    }
    EXPECT_GT(red, 10) << "the caption in the font's colour";
}

TEST_F(ButtonControlsTest, ABitmapButtonIsOwnerDrawnWithItsGlyph) {
    auto* bit = new TBitBtn(form);
    bit->SetParent(form);
    bit->SetBounds(240, 80, 89, 29);
    bit->SetKind(bkOK);
    int clicks = 0;
    bit->OnClick = [&](TObject*) { ++clicks; };
    Pump();
    EXPECT_EQ(form->Type(bit), static_cast<win32::DWORD>(win32::BS_OWNERDRAW));
    auto greens = [&] {
        int n = 0;
        for (int x = 0; x < bit->Width(); ++x) {
            for (int y = 0; y < bit->Height(); ++y) {
                TPoint p = bit->ClientToScreen(Point(x, y));
                n += win32::ColorFromPixel(headless->ScreenPixel(p.x, p.y)) == ColorToRGB(clGreen);
            }
        }
        return n;
    };
    EXPECT_GT(greens(), 10) << "the check of the OK kind";
    // Quick clicks each press it.
    TPoint p = Center(bit);
    for (int i = 0; i < 2; ++i) {
        headless->MouseButton(p, win32::backend::MouseButton::Left, true);
        headless->MouseButton(p, win32::backend::MouseButton::Left, false);
    }
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(bit->Active()) << "the focused button has the default look";
    EXPECT_FALSE(form->ok->Active());
    EXPECT_GT(greens(), 10) << "still drawn after the presses";
}

TEST_F(ButtonControlsTest, Screenshot) {
    // Every look at once: the focused button held down, a disabled one, a
    // grayed box and a checked radio button.
    auto* off = form->Make<TButton>(form, "無効(&N)", 240, 80, 89, 25);
    off->SetEnabled(false);
    auto* bit = new TBitBtn(form);
    bit->SetParent(form);
    bit->SetBounds(240, 115, 89, 29);
    bit->SetKind(bkOK);
    form->check->SetAllowGrayed(true);
    form->check->SetState(cbGrayed);
    form->down->SetChecked(true);
    auto* disabledCheck = form->Make<TCheckBox>(form, "無効な項目", 10, 130, 150, 17);
    disabledCheck->SetChecked(true);
    disabledCheck->SetEnabled(false);
    Pump();
    TPoint p = Center(form->go);
    headless->MouseMove(p);
    headless->MouseButton(p, win32::backend::MouseButton::Left, true);
    Pump();
    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    EXPECT_TRUE(headless->SaveScreenPng(std::string(dir != nullptr ? dir : ".") + "/classlib_buttons.png"));
    headless->MouseButton(p, win32::backend::MouseButton::Left, false);
    Pump();
    EXPECT_EQ(form->clicks[form->go], 1);
}

}  // namespace
}  // namespace classlib
