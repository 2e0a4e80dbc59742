#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/buttons.h"
#include "classlib/comctrls.h"
#include "classlib/extctrls.h"
#include "classlib/list_controls.h"
#include "classlib/scrollbox.h"
#include "classlib/spin.h"
#include "classlib/stdctrls.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;

class DemoForm : public TForm {
public:
    explicit DemoForm(TComponent* owner) : TForm(owner) {
        SetBounds(40, 40, 520, 280);
        SetCaption("クラス ライブラリの見本");
        SetBorderIcons({biSystemMenu, biMinimize});
        top = new TPanel(this);
        top->SetParent(this);
        top->SetAlign(alTop);
        top->SetHeight(30);
        top->SetCaption("");
        for (int i = 0; i < 3; ++i) {
            auto* b = new TSpeedButton(this);
            b->SetParent(top);
            b->SetBounds(4 + i * 24, 4, 23, 22);
            b->SetFlat(true);
            b->SetGroupIndex(1);
            b->Glyph()->SetSize(16, 16);
            TCanvas* g = b->Glyph()->Canvas();
            g->Brush()->SetColor(clOlive);
            g->FillRect(Rect(0, 0, 16, 16));
            g->Brush()->SetColor(i == 0 ? clRed : i == 1 ? clGreen : clBlue);
            g->FillRect(Rect(3, 3, 13, 13));
            buttons[i] = b;
        }
        bottom = new TPanel(this);
        bottom->SetParent(this);
        bottom->SetAlign(alBottom);
        bottom->SetHeight(24);
        bottom->SetBevelOuter(bvLowered);
        bottom->SetAlignment(taLeftJustify);
        bottom->SetCaption(" 準備完了");
        label = new TLabel(this);
        label->SetParent(this);
        label->SetLeft(12);
        label->SetTop(44);
        label->SetCaption("見出し(&H):");
        group = new TGroupBox(this);
        group->SetParent(this);
        group->SetBounds(12, 66, 200, 100);
        group->SetCaption(" 設定 ");
        auto* inner = new TLabel(this);
        inner->SetParent(group);
        inner->SetBounds(12, 24, 100, 16);
        inner->SetCaption("グループの中");
        bevel = new TBevel(this);
        bevel->SetParent(this);
        bevel->SetBounds(224, 66, 110, 100);
        bevel->SetShape(bsFrame);
        image = new TImage(this);
        image->SetParent(this);
        image->SetBounds(240, 80, 32, 32);
        TBitmap* pic = image->Picture()->Bitmap();
        pic->SetSize(32, 32);
        pic->Canvas()->Brush()->SetColor(clNavy);
        pic->Canvas()->FillRect(Rect(0, 0, 32, 32));
        pic->Canvas()->Brush()->SetColor(clYellow);
        pic->Canvas()->FillRect(Rect(8, 8, 24, 24));
        auto* comboLabel = new TLabel(this);
        comboLabel->SetParent(this);
        comboLabel->SetBounds(350, 40, 100, 12);
        comboLabel->SetCaption("地方(&R):");
        combo = new TComboBox(this);
        combo->SetParent(this);
        combo->SetStyle(csDropDownList);
        combo->SetBounds(350, 55, 150, 20);
        combo->Items()->SetCommaText("北海道,東北,関東,中部,近畿");
        combo->SetItemIndex(2);
        comboLabel->SetFocusControl(combo);
        spin = new TSpinEdit(this);
        spin->SetParent(this);
        spin->SetBounds(350, 84, 44, 21);
        spin->SetMinValue(0);
        spin->SetMaxValue(100);
        spin->SetValue(12);
        auto* mm = new TLabel(this);
        mm->SetParent(this);
        mm->SetBounds(398, 87, 20, 12);
        mm->SetCaption("mm");
        list = new TListBox(this);
        list->SetParent(this);
        list->SetBounds(350, 114, 150, 86);
        list->Items()->SetCommaText("青森,岩手,宮城,秋田,山形,福島,新潟");
        list->SetItemIndex(1);
        progress = new TProgressBar(this);
        progress->SetParent(this);
        progress->SetBounds(12, 176, 200, 16);
        progress->SetPosition(45);
        status = new TStatusBar(this);
        status->SetParent(this);
        // Below the bottom panel, in the form's corner.
        status->SetTop(1000);
        status->Panels()->Add()->SetWidth(300);
        status->Panels()->Items(0)->SetText("見本のステータスバー");
        status->Panels()->Add()->SetText("文字数 = 1,234");
        status->Panels()->Items(1)->SetAlignment(taRightJustify);
    }
    TPanel* top;
    TPanel* bottom;
    TSpeedButton* buttons[3];
    TLabel* label;
    TGroupBox* group;
    TBevel* bevel;
    TImage* image;
    TComboBox* combo;
    TSpinEdit* spin;
    TListBox* list;
    TProgressBar* progress;
    TStatusBar* status;
};

class ExtCtrlsTest : public UiTest {};

TEST_F(ExtCtrlsTest, DemoFormDrawsItsControlsAndSavesAScreenshot) {
    DemoForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    Pump();
    // The panels took the top and bottom; the picture shows.
    EXPECT_EQ(form->top->BoundsRect(), Rect(0, 0, form->ClientWidth(), 30));
    EXPECT_EQ(form->status->Top(), form->ClientHeight() - 19);
    EXPECT_EQ(form->bottom->Top(), form->status->Top() - 24);
    TPoint p = form->image->ClientToScreen(Point(16, 16));
    EXPECT_EQ(headless->ScreenPixel(p.x, p.y) & 0xFFFFFF, 0xFFFF00u) << "yellow inside the navy picture";
    TPoint face = form->ClientToScreen(Point(300, 190));
    EXPECT_EQ(headless->ScreenPixel(face.x, face.y) & 0xFFFFFF, win32::GetSysColor(win32::COLOR_BTNFACE) & 0xFFFFFF);
    EXPECT_GT(form->label->Width(), 20) << "an auto-sized label measures its caption";
    // The controls on the window system's classes show their values.
    EXPECT_EQ(form->combo->Text(), "関東");
    EXPECT_EQ(form->list->ItemIndex(), 1);
    EXPECT_EQ(form->spin->Text(), "12");
    TPoint field = form->spin->ClientToScreen(Point(form->spin->ClientWidth() - 18, 2));
    EXPECT_EQ(headless->ScreenPixel(field.x, field.y) & 0xFFFFFF, 0xFFFFFFu) << "the spin edit's field is white";
    TPoint block = form->progress->ClientToScreen(Point(3, 7));
    EXPECT_EQ(headless->ScreenPixel(block.x, block.y) & 0xFFFFFF, 0x000080u) << "the progress bar's first block";
    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    std::string path = std::string(dir != nullptr ? dir : ".") + "/classlib_demo_form.png";
    EXPECT_TRUE(headless->SaveScreenPng(path));
    delete form;
}

TEST_F(ExtCtrlsTest, GroupedSpeedButtonsLatchOneAtATime) {
    DemoForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    Pump();
    int clicks = 0;
    form->buttons[1]->OnClick = [&](TObject*) { ++clicks; };
    Click(form->buttons[0]);
    EXPECT_TRUE(form->buttons[0]->Down());
    Click(form->buttons[1]);
    EXPECT_TRUE(form->buttons[1]->Down());
    EXPECT_FALSE(form->buttons[0]->Down());
    EXPECT_EQ(clicks, 1);
    // Without AllowAllUp the down button stays down when clicked again.
    Click(form->buttons[1]);
    EXPECT_TRUE(form->buttons[1]->Down());
    // A press released outside does nothing.
    TPoint in = Center(form->buttons[2]);
    headless->MouseMove(in);
    headless->MouseButton(in, win32::backend::MouseButton::Left, true);
    Pump();
    TPoint out = form->ClientToScreen(Point(300, 120));
    headless->MouseMove(out);
    headless->MouseButton(out, win32::backend::MouseButton::Left, false);
    Pump();
    EXPECT_FALSE(form->buttons[2]->Down());
    EXPECT_TRUE(form->buttons[1]->Down());
    delete form;
}

TEST_F(ExtCtrlsTest, FlatButtonsTrackTheMouse) {
    DemoForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    Pump();
    MoveTo(Center(form->buttons[2]));
    EXPECT_TRUE(form->buttons[2]->MouseInControl());
    MoveTo(form->ClientToScreen(Point(300, 120)));
    EXPECT_FALSE(form->buttons[2]->MouseInControl());
    delete form;
}

TEST_F(ExtCtrlsTest, PanelBevelsNarrowTheAlignedClientArea) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 80);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    auto* child = new TPanel(form);
    child->SetParent(panel);
    child->SetAlign(alClient);
    form->Show();
    Pump();
    EXPECT_EQ(child->BoundsRect(), Rect(4, 4, 96, 76));
    delete form;
}

}  // namespace
}  // namespace classlib

namespace classlib {
namespace {

class ScrollBoxTest : public testing::UiTest {};

TEST_F(ScrollBoxTest, BarsFollowTheChildrenAndMoveThem) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 300);
    auto* box = new TScrollBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 120, 120);
    auto* child = new TPanel(form);
    child->SetParent(box);
    child->SetBounds(0, 300, 50, 20);
    form->Show();
    Pump();
    EXPECT_EQ(box->VertScrollBar()->Range(), 320);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    win32::HWND h = box->Handle();
    win32::SendMessageA(h, win32::WM_VSCROLL, win32::SB_LINEDOWN, 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 8);
    EXPECT_EQ(child->Top(), 292);
    // The thumb moves the children while dragged only with tracking.
    win32::SendMessageA(h, win32::WM_VSCROLL, win32::MAKEWPARAM(win32::SB_THUMBTRACK, 100), 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 8);
    box->VertScrollBar()->SetTracking(true);
    win32::SendMessageA(h, win32::WM_VSCROLL, win32::MAKEWPARAM(win32::SB_THUMBTRACK, 100), 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 100);
    EXPECT_EQ(child->Top(), 200);
    win32::SendMessageA(h, win32::WM_VSCROLL, win32::SB_BOTTOM, 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 320 - box->ClientHeight());
    EXPECT_EQ(child->Top() + child->Height(), box->ClientHeight());
    delete form;
}

}  // namespace
}  // namespace classlib
