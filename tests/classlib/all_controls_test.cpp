// A form with one of every standard control, each on its window class, shown
// on the headless screen: the controls keep their places and values, input
// reaches them, and the picture is saved for a look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/button_controls.h"
#include "classlib/buttons.h"
#include "classlib/comctrls.h"
#include "classlib/edit.h"
#include "classlib/extctrls.h"
#include "classlib/list_controls.h"
#include "classlib/pagecontrol.h"
#include "classlib/radiogroup.h"
#include "classlib/richedit.h"
#include "classlib/scrollbox.h"
#include "classlib/spin.h"
#include "classlib/stdctrls.h"
#include "classlib/timer.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;

template <typename T>
T* Place(TForm* form, TWinControl* parent, int left, int top, int width, int height) {
    auto* c = new T(form);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

class AllControlsForm : public TForm {
public:
    explicit AllControlsForm(TComponent* owner) : TForm(owner) {
        SetBounds(20, 20, 640, 430);
        SetCaption("標準コントロールの見本");
        SetBorderIcons({biSystemMenu, biMinimize});
        auto* top = Place<TPanel>(this, this, 0, 0, 0, 30);
        top->SetAlign(alTop);
        top->SetCaption("");
        speed = Place<TSpeedButton>(this, top, 4, 4, 60, 22);
        speed->SetCaption("切替");
        speed->SetFlat(true);
        speed->SetGroupIndex(1);
        speed->SetAllowAllUp(true);

        auto* nameLabel = Place<TLabel>(this, this, 12, 44, 80, 12);
        nameLabel->SetCaption("名前(&N):");
        edit = Place<TEdit>(this, this, 12, 60, 180, 21);
        edit->SetText("山田 太郎");
        nameLabel->SetFocusControl(edit);
        memo = Place<TMemo>(this, this, 12, 90, 180, 70);
        memo->SetScrollBars(ssVertical);
        memo->Lines()->Add("メモの一行目");
        memo->Lines()->Add("二行目");
        check = Place<TCheckBox>(this, this, 12, 168, 180, 17);
        check->SetCaption("行番号を付ける(&L)");
        check->SetChecked(true);
        auto* group = Place<TGroupBox>(this, this, 12, 190, 180, 64);
        group->SetCaption("向き");
        up = Place<TRadioButton>(this, group, 10, 18, 150, 17);
        up->SetCaption("上へ(&U)");
        down = Place<TRadioButton>(this, group, 10, 38, 150, 17);
        down->SetCaption("下へ(&D)");
        down->SetChecked(true);
        radios = Place<TRadioGroup>(this, this, 12, 260, 180, 44);
        radios->SetCaption("段組");
        radios->SetColumns(3);
        radios->Items()->SetCommaText("1,2,3");
        radios->SetItemIndex(0);

        combo = Place<TComboBox>(this, this, 206, 60, 150, 20);
        combo->SetStyle(csDropDownList);
        combo->Items()->SetCommaText("北海道,東北,関東,中部,近畿");
        combo->SetItemIndex(2);
        list = Place<TListBox>(this, this, 206, 90, 150, 70);
        list->Items()->SetCommaText("青森,岩手,宮城,秋田,山形,福島,新潟");
        list->SetItemIndex(1);
        spin = Place<TSpinEdit>(this, this, 206, 168, 60, 21);
        spin->SetMinValue(1);
        spin->SetMaxValue(99);
        spin->SetValue(10);
        progress = Place<TProgressBar>(this, this, 206, 198, 150, 16);
        progress->SetPosition(60);
        auto* bevel = Place<TBevel>(this, this, 206, 222, 150, 82);
        bevel->SetShape(bsFrame);
        image = Place<TImage>(this, this, 216, 232, 32, 32);
        TBitmap* pic = image->Picture()->Bitmap();
        pic->SetSize(32, 32);
        pic->Canvas()->Brush()->SetColor(clNavy);
        pic->Canvas()->FillRect(Rect(0, 0, 32, 32));
        pic->Canvas()->Brush()->SetColor(clYellow);
        pic->Canvas()->FillRect(Rect(8, 8, 24, 24));
        scroll = Place<TScrollBox>(this, this, 260, 228, 90, 70);
        auto* inner = Place<TPanel>(this, scroll, 0, 0, 200, 150);
        inner->SetCaption("大きな中身");

        pages = Place<TPageControl>(this, this, 370, 44, 250, 200);
        auto* first = new TTabSheet(this);
        first->SetPageControl(pages);
        first->SetCaption("本文");
        auto* second = new TTabSheet(this);
        second->SetPageControl(pages);
        second->SetCaption("設定");
        rich = new TRichEdit(this);
        rich->SetParent(first);
        rich->SetAlign(alClient);
        rich->Lines()->Add("リッチエディットの本文です。");
        rich->Lines()->Add("二行目もあります。");
        pages->SetActivePage(first);

        ok = Place<TBitBtn>(this, this, 370, 262, 80, 26);
        ok->SetKind(bkOK);
        run = Place<TButton>(this, this, 458, 262, 80, 26);
        run->SetCaption("実行(&G)");
        run->SetDefault(true);
        cancel = Place<TButton>(this, this, 546, 262, 74, 26);
        cancel->SetCaption("キャンセル");
        cancel->SetCancel(true);

        timer = new TTimer(this);
        timer->SetInterval(1000);
        timer->SetEnabled(false);

        status = new TStatusBar(this);
        status->SetParent(this);
        status->Panels()->Add()->SetWidth(400);
        status->Panels()->Items(0)->SetText("準備完了");
        status->Panels()->Add()->SetText("文字数 = 21");
        status->Panels()->Items(1)->SetAlignment(taRightJustify);
    }
    TSpeedButton* speed;
    TEdit* edit;
    TMemo* memo;
    TCheckBox* check;
    TRadioButton* up;
    TRadioButton* down;
    TRadioGroup* radios;
    TComboBox* combo;
    TListBox* list;
    TSpinEdit* spin;
    TProgressBar* progress;
    TImage* image;
    TScrollBox* scroll;
    TPageControl* pages;
    TRichEdit* rich;
    TBitBtn* ok;
    TButton* run;
    TButton* cancel;
    TTimer* timer;
    TStatusBar* status;
};

class AllControlsTest : public UiTest {};

TEST_F(AllControlsTest, EveryStandardControlShowsOnItsWindowClassAndTakesInput) {
    AllControlsForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    Pump();
    // Each control is a window of its platform class, which answers that
    // class's own messages.
    auto send = [](TWinControl* c, win32::UINT msg, win32::WPARAM w = 0, win32::LPARAM l = 0) {
        return win32::SendMessageA(c->Handle(), msg, w, l);
    };
    EXPECT_EQ(send(form->check, win32::BM_GETCHECK), win32::BST_CHECKED);
    EXPECT_EQ(send(form->down, win32::BM_GETCHECK), win32::BST_CHECKED);
    EXPECT_EQ(send(form->combo, win32::CB_GETCURSEL), 2);
    EXPECT_EQ(send(form->list, win32::LB_GETCURSEL), 1);
    EXPECT_EQ(send(form->progress, win32::PBM_GETPOS), 60);
    EXPECT_EQ(send(form->pages, win32::TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(send(form->status, win32::SB_GETPARTS), 2);
    EXPECT_EQ(send(form->memo, win32::EM_GETLINECOUNT), 3) << "two lines and the empty one after them";
    // Values show as set, and the status bar took the bottom.
    EXPECT_EQ(form->edit->Text(), "山田 太郎");
    EXPECT_EQ(form->memo->Lines()->Count(), 2);
    EXPECT_EQ(form->rich->Lines()->Strings(1), "二行目もあります。");
    EXPECT_TRUE(form->check->Checked());
    EXPECT_FALSE(form->up->Checked());
    EXPECT_EQ(form->combo->Text(), "関東");
    EXPECT_EQ(form->spin->Value(), 10);
    EXPECT_EQ(form->progress->Position(), 60);
    EXPECT_EQ(form->status->Top(), form->ClientHeight() - form->status->Height());
    // The scroll box's content is larger than the box: both bars show.
    auto style = win32::GetWindowLongA(form->scroll->Handle(), win32::GWL_STYLE);
    EXPECT_NE(style & win32::WS_VSCROLL, 0u);
    EXPECT_NE(style & win32::WS_HSCROLL, 0u);
    // The box's child is larger than the box but does not cover its bars.
    win32::RECT box{};
    win32::GetWindowRect(form->scroll->Handle(), &box);
    int barX = box.right - 2 - win32::GetSystemMetrics(win32::SM_CXVSCROLL) / 2;
    EXPECT_EQ(headless->ScreenPixel(barX, box.top + 10) & 0xFFFFFF, 0u) << "the up arrow's black glyph";
    TPoint p = form->image->ClientToScreen(Point(16, 16));
    EXPECT_EQ(headless->ScreenPixel(p.x, p.y) & 0xFFFFFF, 0xFFFF00u);

    // Clicks reach the controls: the check box, the other radio button, the
    // second tab, a list item.
    Click(form->check->ClientToScreen(Point(6, 8)));
    EXPECT_FALSE(form->check->Checked());
    Click(form->up->ClientToScreen(Point(6, 8)));
    EXPECT_TRUE(form->up->Checked());
    EXPECT_FALSE(form->down->Checked());
    win32::RECT tab{};
    win32::SendMessageA(form->pages->Handle(), win32::TCM_GETITEMRECT, 1, reinterpret_cast<win32::LPARAM>(&tab));
    Click(form->pages->ClientToScreen(Point((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2)));
    EXPECT_EQ(form->pages->ActivePageIndex(), 1);
    Click(form->pages->ClientToScreen(Point(10, 10)));  // back to the first tab for the picture
    Click(form->check->ClientToScreen(Point(6, 8)));
    EXPECT_TRUE(form->check->Checked());
    Pump();

    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    std::string path = std::string(dir != nullptr ? dir : ".") + "/classlib_all_controls.png";
    EXPECT_TRUE(headless->SaveScreenPng(path));
    delete form;
}

}  // namespace
}  // namespace classlib
